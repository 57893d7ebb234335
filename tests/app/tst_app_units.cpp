#include "app/AfterFirstPaint.h"
#include "app/CleanMark.h"
#include "app/DrawingsIcon.h"
#include "app/Environment.h"
#include "app/ImageLists.h"
#include "app/JpegImage.h"
#include "app/SplashForm.h"
#include "app/WindowPlacement.h"
#include "data/WorkspaceReader.h"
#include "data/WorkspaceWriter.h"
#include "widgets/ResourceImage.h"
#include "workspace/WorkspaceDocument.h"
#include "workspace/WorkspaceModel.h"

#include <QAbstractItemModelTester>
#include <QBuffer>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestAppUnits : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanMark_data();
    void cleanMark();
    void reachableBounds_data();
    void reachableBounds();
    void splashPictureDecodes();
    void damagedPictureGivesNothing();
    void splashVersionOnPicture();
    void workspaceModel();
    void fileLocations_data();
    void fileLocations();
    void resourcePicturesReadAsQtReadsThem_data();
    void resourcePicturesReadAsQtReadsThem();
    void imagesHaveDoubleSizeDrawings();
    void drawingsIconDrawsAsItsIcon_data();
    void drawingsIconDrawsAsItsIcon();
    void drawingsIconReadsWhatItDraws();
    void workWaitsForTheFirstPaint();
    void readAheadGivesWhatLoadGives_data();
    void readAheadGivesWhatLoadGives();
    void readAheadOnlyOnceLocked();
};

void TestAppUnits::cleanMark_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("clean");
    QTest::newRow("point, two decimals") << QStringLiteral("12.75") << QStringLiteral("12,7");
    QTest::newRow("point before comma") << QStringLiteral("1.234,5") << QStringLiteral("1,2");
    QTest::newRow("slash") << QStringLiteral("15/20") << QStringLiteral("1520");
    QTest::newRow("minus") << QStringLiteral("-3") << QStringLiteral("3");
    QTest::newRow("letters") << QStringLiteral("abc") << QString();
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("comma") << QStringLiteral("12,5") << QStringLiteral("12,5");
    QTest::newRow("comma then point") << QStringLiteral("1,2.3") << QStringLiteral("12,3");
    QTest::newRow("trailing point") << QStringLiteral("14.") << QStringLiteral("14,");
    QTest::newRow("blanks") << QStringLiteral(" 1 2 ") << QStringLiteral("12");
}

void TestAppUnits::cleanMark() {
    QFETCH(QString, typed);
    QTEST(CleanMark(typed), "clean");
}

void TestAppUnits::reachableBounds_data() {
    QTest::addColumn<QRect>("bounds");
    QTest::addColumn<QRect>("placed");
    const QRect screen(0, 0, 1024, 768);
    QTest::newRow("on the screen") << QRect(100, 100, 600, 400) << QRect(100, 100, 600, 400);
    QTest::newRow("partly off, top reachable")
        << QRect(900, 300, 600, 400) << QRect(900, 300, 600, 400);
    QTest::newRow("on a screen unplugged since")
        << QRect(1500, 100, 600, 400) << QRect(212, 184, 600, 400);
    QTest::newRow("title bar above the screen")
        << QRect(100, -300, 600, 400) << QRect(212, 184, 600, 400);
    QTest::newRow("larger than the screen, elsewhere")
        << QRect(3000, 0, 2000, 1000) << QRect(0, 0, 1024, 768);
}

void TestAppUnits::reachableBounds() {
    QFETCH(QRect, bounds);
    QTEST(ReachableBounds(bounds, {QRect(0, 0, 1024, 768)}), "placed");
    // A second screen to the right keeps a window placed on it.
    QCOMPARE(ReachableBounds(QRect(1500, 100, 600, 400),
                             {QRect(0, 0, 1024, 768), QRect(1024, 0, 1280, 1024)}),
             QRect(1500, 100, 600, 400));
}

void TestAppUnits::splashPictureDecodes() {
    QFile file(QStringLiteral(":/images/splash.jpg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QImage image = DecodeJpeg(bytes);
    QCOMPARE(image.size(), QSize(300, 206));
    // The apple is red: the channels are in their places.
    const QColor apple = image.pixelColor(270, 26);
    QVERIFY2(apple.red() > 200 && apple.blue() < 100, qPrintable(apple.name()));
    // A truncated picture still gives what could be decoded.
    QCOMPARE(DecodeJpeg(QByteArrayView(bytes).first(bytes.size() / 2)).size(), QSize(300, 206));
    // A grey-only picture comes out as the same greys, opaque.
    QImage grey(8, 8, QImage::Format_Grayscale8);
    grey.fill(0x80);
    QByteArray greyBytes;
    QBuffer buffer(&greyBytes);
    QVERIFY(grey.save(&buffer, "JPG"));
    const QColor decoded = DecodeJpeg(greyBytes).pixelColor(3, 3);
    QVERIFY2(qAbs(decoded.red() - 0x80) <= 2 && decoded.green() == decoded.red() &&
                 decoded.blue() == decoded.red() && decoded.alpha() == 255,
             qPrintable(decoded.name(QColor::HexArgb)));
}

void TestAppUnits::damagedPictureGivesNothing() {
    QVERIFY(DecodeJpeg(QByteArray("not a picture")).isNull());
    QVERIFY(DecodeJpeg(QByteArray()).isNull());
    QByteArray header("\xFF\xD8\xFF\xC0\x00\x11\x08\xFF\xFF\xFF\xFF\x03", 12);
    QVERIFY(DecodeJpeg(header).isNull());
}

void TestAppUnits::splashVersionOnPicture() {
    const QImage picture = SplashPicture();
    TSplashForm splash(picture);
    const auto* version = splash.findChild<QLabel*>(QStringLiteral("VersionLbl"));
    QVERIFY(version);
    const QImage shot = splash.grab().toImage();
    const QRect area = version->geometry();
    // The label lets the picture through where it writes nothing...
    QCOMPARE(shot.pixel(area.topRight()), picture.pixel(area.topRight()));
    // ...and writes in grey, not in the default black.
    int darkest = 255;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            darkest = std::min(darkest, qGray(shot.pixel(x, y)));
    QVERIFY2(darkest >= 0x58 && darkest < 0x90, qPrintable(QString::number(darkest, 16)));
}

void TestAppUnits::workspaceModel() {
    TWorkspace tree;
    const TImageLists images;
    TWorkspaceModel model(
        tree, [&](int image, int selected) { return images.TreeIcon(image, selected); });
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QByteArray file =
        "[Class]\r\nClassName=A\r\nMatters=x|\r\n[Class]\r\nClassName=B\r\nMatters=\r\n"
        "[Pupil]\r\nSurname=S\r\nName=N\r\nBirthDay=\r\nClass=B\r\nSexe=Fille\r\nLevels="
        "\r\nRemarks=\r\n";
    model.Reset([&](TWorkspace& workspace) {
        LoadWorkspaceFromBytes(file, workspace, TRegionalSettings(), [](const QString&) {});
    });
    QCOMPARE(model.rowCount(), 2);
    const QModelIndex b = model.index(1, 0);
    QCOMPARE(model.rowCount(b), 1);
    QCOMPARE(model.rowCount(model.index(0, 0, b)), 0);
    QCOMPARE(model.parent(model.index(0, 0, b)), b);
    QCOMPARE(model.ClassAt(model.index(0, 0, b)), tree.Classes[1].get());
    model.SetNodeText(model.index(0, 0, b), QStringLiteral("T"));
    model.SetNodeImages(model.index(0, 0, b), {2, 3});
    QCOMPARE(model.index(0, 0, b).data().toString(), QStringLiteral("T"));
    QCOMPARE(model.index(0, 0, b).data(TWorkspaceModel::SelectedIndexRole).toInt(), 3);
    QVERIFY(!model.index(0, 0, b).data(Qt::DecorationRole).value<QIcon>().isNull());

    // Every change goes through the model, watched by the tester; what is
    // taken out comes back whole and can be put back.
    auto pupil = std::make_unique<TNode>();
    pupil->Text = QStringLiteral("U");
    pupil->Data = std::make_unique<TPData>(TDataType::dtPupil);
    const QModelIndex added = model.InsertPupil(b, 0, std::move(pupil));
    QCOMPARE(added.data().toString(), QStringLiteral("U"));
    QCOMPARE(model.rowCount(b), 2);
    auto takenClass = model.TakeClass(model.index(0, 0));
    QCOMPARE(takenClass->Text, QStringLiteral("A"));
    QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("B"));
    model.InsertClass(1, std::move(takenClass));
    QCOMPARE(model.index(1, 0).data().toString(), QStringLiteral("A"));
    const QModelIndex bAgain = model.index(0, 0);
    auto takenPupil = model.TakePupil(model.index(1, 0, bAgain));
    QCOMPARE(takenPupil->Text, QStringLiteral("T"));
    QCOMPARE(model.rowCount(bAgain), 1);
    auto record = std::make_unique<TPData>(TDataType::dtPupil);
    const TPData* stored = record.get();
    auto old = model.ReplaceRecord(model.index(0, 0, bAgain), std::move(record));
    QCOMPARE(tree.Classes[0]->Pupils[0]->Data.get(), stored);
    QVERIFY(old && old->IsPupil());
    // Records swapped together: one bad index and nothing changes, nothing
    // is lost; else each comes back in place of the one put in.
    std::vector<TWorkspaceModel::TRecordSwap> swaps;
    swaps.emplace_back(bAgain, std::make_unique<TPData>(TDataType::dtClass));
    swaps.emplace_back(model.index(0, 0, bAgain), std::move(old));
    swaps.emplace_back(model.index(7, 0), std::make_unique<TPData>(TDataType::dtClass));
    QVERIFY_THROWS_EXCEPTION(EListError, model.SwapRecords(swaps));
    QCOMPARE(tree.Classes[0]->Pupils[0]->Data.get(), stored);
    QVERIFY(swaps[1].second && swaps[2].second);
    swaps.pop_back();
    model.SwapRecords(swaps);
    QCOMPARE(swaps[1].second.get(), stored);
    QVERIFY(tree.Classes[0]->Pupils[0]->Data->IsPupil() && swaps[0].second->IsClass());
    QVERIFY_THROWS_EXCEPTION(EListError, model.InsertClass(5, std::make_unique<TClassNode>()));
    QVERIFY_THROWS_EXCEPTION(EListError, model.TakePupil(bAgain));
    QCOMPARE(model.rowCount(), 2);
}

void TestAppUnits::fileLocations_data() {
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("helpBeside");
    QTest::addColumn<bool>("installedHelp");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("helpFile");
    const QString program = QStringLiteral("/opt/q/bin/");
    const QString user = QStringLiteral("/home/m/.local/share/Quillorin/");
    const QString beside = program + QStringLiteral("quillorin.chm");
    const QString installed = QStringLiteral("/opt/q/share/quillorin/quillorin.chm");
    QTest::newRow("build or USB key") << true << true << false << program << beside;
    QTest::newRow("copy with help, installation too") << true << true << true << program << beside;
    QTest::newRow("read-only USB key") << false << true << false << user << beside;
    QTest::newRow("installed") << false << false << true << user << installed;
    // Run by an administrator, who may write anywhere: the program's folder
    // is still not the place for a teacher's files.
    QTest::newRow("installed, writable") << true << false << true << user << installed;
    QTest::newRow("help missing") << true << false << false << program << beside;
}

void TestAppUnits::fileLocations() {
    TProgramPlace place;
    place.ProgramFolder = QStringLiteral("/opt/q/bin/");
    QFETCH(bool, writable);
    place.ProgramFolderWritable = writable;
    QFETCH(bool, helpBeside);
    place.HelpBesideProgram = helpBeside;
    place.InstalledHelpFile = QStringLiteral("/opt/q/share/quillorin/quillorin.chm");
    QFETCH(bool, installedHelp);
    place.InstalledHelpExists = installedHelp;
    place.UserFolder = QStringLiteral("/home/m/.local/share/Quillorin/");
    const TFileLocations locations = ChooseFileLocations(place);
    QTEST(locations.Folder, "folder");
    QTEST(locations.HelpFile, "helpFile");
}

void TestAppUnits::resourcePicturesReadAsQtReadsThem_data() {
    QTest::addColumn<QString>("path");
    for (const QString& folder : {u":/images"_s, u":/widgets"_s, u":/print"_s}) {
        QDirIterator pictures(folder, QDir::Files, QDirIterator::Subdirectories);
        while (pictures.hasNext()) {
            const QString path = pictures.next();
            QTest::newRow(qPrintable(path)) << path;
        }
    }
    QTest::newRow("missing") << u":/images/missing.png"_s;
}

void TestAppUnits::resourcePicturesReadAsQtReadsThem() {
    QFETCH(QString, path);
    const QImage expected(path);
    QCOMPARE(ReadResourceImage(path), expected);
    QCOMPARE(ReadResourcePixmap(path).toImage(), QPixmap(path).toImage());
    QCOMPARE(expected.isNull(), path.contains(u"missing"_s));
}

void TestAppUnits::imagesHaveDoubleSizeDrawings() {
    // At 200 % each image comes from a drawing of twice its size, never from
    // a smaller one stretched.
    const TImageLists images;
    std::vector<QIcon> icons;
    for (int i = 0; i < 5; ++i)
        icons.push_back(images.ToolBarIcon(i));
    for (int i = 0; i < 8; ++i)
        icons.push_back(images.TreeIcon(i, i));
    for (const QIcon& icon : icons) {
        for (int size : {TImageLists::SmallSize, TImageLists::BigSize}) {
            const QPixmap pixmap = icon.pixmap(QSize(size, size), 2.0);
            QCOMPARE(pixmap.size(), QSize(2 * size, 2 * size));
            QCOMPARE(pixmap.devicePixelRatio(), 2.0);
        }
    }
    QCOMPARE(ImageIcon(QStringLiteral("quit.png")).pixmap(QSize(48, 48), 2.0).size(),
             QSize(96, 96));
    QCOMPARE(ImageIcon(QStringLiteral("quillorin.png")).pixmap(QSize(64, 64), 2.0).size(),
             QSize(128, 128));
}

namespace {

// Drawings of the tool bar's first image, or of two tree images (the
// second for the selected node).
std::vector<TDrawing> TestDrawings(bool tree) {
    std::vector<TDrawing> drawings;
    const auto add = [&](const char* list, int index, QIcon::Mode mode) {
        const QString path = QStringLiteral(":/images/%1/%2/%3%4.png");
        const auto at = [&](const char* size, const char* suffix) {
            return path.arg(QLatin1String(list), QLatin1String(size))
                .arg(index)
                .arg(QLatin1String(suffix));
        };
        drawings.push_back({at("big", "@2x"), 64, 2, mode});
        drawings.push_back({at("big", ""), 32, 1, mode});
        drawings.push_back({at("small", ""), 16, 1, mode});
    };
    if (tree) {
        add("tree", 2, QIcon::Normal);
        add("tree", 3, QIcon::Selected);
    } else {
        add("toolbar", 0, QIcon::Normal);
    }
    return drawings;
}

QIcon WholeIcon(const std::vector<TDrawing>& drawings) {
    QIcon icon;
    for (const TDrawing& drawing : drawings)
        icon.addPixmap(QPixmap(drawing.Path), drawing.Mode);
    return icon;
}

QImage Painted(const QIcon& icon, QSize size, qreal ratio, QIcon::Mode mode) {
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    icon.paint(&painter, QRect(QPoint(0, 0), size), Qt::AlignCenter, mode);
    return image;
}

} // namespace

void TestAppUnits::drawingsIconDrawsAsItsIcon_data() {
    QTest::addColumn<bool>("tree");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("mode");
    for (const bool tree : {false, true})
        for (const QSize size : {QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48),
                                 QSize(64, 64), QSize(40, 30)})
            for (const qreal ratio : {1.0, 1.25, 1.5, 2.0, 3.0})
                for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Selected})
                    QTest::addRow("%s %dx%d at %g, mode %d", tree ? "tree" : "tool bar",
                                  size.width(), size.height(), ratio, int(mode))
                        << tree << size << ratio << int(mode);
}

void TestAppUnits::drawingsIconDrawsAsItsIcon() {
    // Whatever is asked first, the icon gives what an icon of all its
    // drawings gives: the pixmap, its ratio, the size and the drawing.
    QFETCH(bool, tree);
    QFETCH(QSize, size);
    QFETCH(qreal, ratio);
    QFETCH(int, mode);
    const std::vector<TDrawing> drawings = TestDrawings(tree);
    const QIcon whole = WholeIcon(drawings);
    const auto iconMode = QIcon::Mode(mode);
    QCOMPARE(Painted(DrawingsIcon(drawings), size, ratio, iconMode),
             Painted(whole, size, ratio, iconMode));
    const QIcon asked = DrawingsIcon(drawings);
    QVERIFY(!asked.isNull());
    const QPixmap pixmap = asked.pixmap(size, ratio, iconMode);
    const QPixmap expected = whole.pixmap(size, ratio, iconMode);
    QCOMPARE(pixmap.devicePixelRatio(), expected.devicePixelRatio());
    QCOMPARE(pixmap.toImage(), expected.toImage());
    QCOMPARE(DrawingsIcon(drawings).actualSize(size, iconMode), whole.actualSize(size, iconMode));
    QCOMPARE(DrawingsIcon(drawings).availableSizes(iconMode), whole.availableSizes(iconMode));
}

void TestAppUnits::drawingsIconReadsWhatItDraws() {
    // A 32-pixel button on an ordinary screen reads the 32-pixel drawings
    // of the modes it has, nothing else; a drawing that cannot be read
    // leaves the choice to the others.
    QStringList read;
    const auto reader = [&](const QString& path) {
        read << path.section(u'/', -2);
        return QPixmap(path);
    };
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    DrawingsIcon(TestDrawings(true), reader)
        .paint(&painter, image.rect(), Qt::AlignCenter, QIcon::Disabled);
    QCOMPARE(read, QStringList({u"big/2.png"_s, u"big/3.png"_s}));
    read.clear();
    std::vector<TDrawing> drawings = TestDrawings(false);
    drawings[1].Path = u":/images/toolbar/big/missing.png"_s;
    const QPixmap pixmap = DrawingsIcon(drawings, reader).pixmap(QSize(32, 32), 1.0);
    QCOMPARE(read, QStringList({u"big/missing.png"_s, u"small/0.png"_s}));
    QCOMPARE(pixmap.toImage(), WholeIcon(drawings).pixmap(QSize(32, 32), 1.0).toImage());
}

void TestAppUnits::workWaitsForTheFirstPaint() {
    // Run once, behind the first drawing; asked of a window already drawn,
    // run all the same; never for a window gone.
    QWidget window;
    window.resize(200, 100);
    int painted = 0;
    int runs = 0;
    struct TPaintCount : QObject {
        int& Count;
        explicit TPaintCount(int& count)
            : Count(count) {}
        bool eventFilter(QObject*, QEvent* event) override {
            Count += event->type() == QEvent::Paint;
            return false;
        }
    } paints(painted);
    window.installEventFilter(&paints);
    window.show();
    int paintedBeforeWork = -1;
    RunAfterFirstPaint(window, [&] {
        paintedBeforeWork = painted;
        ++runs;
    });
    QCOMPARE(runs, 0);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE(runs, 1);
    QVERIFY(paintedBeforeWork > 0);
    window.update();
    QTest::qWait(AfterFirstPaintPauseMs + 50);
    QCOMPARE(runs, 1);
    RunAfterFirstPaint(window, [&] { ++runs; });
    QTRY_COMPARE(runs, 2);

    auto gone = std::make_unique<QWidget>();
    gone->show();
    RunAfterFirstPaint(*gone, [&] { ++runs; });
    gone.reset();
    QTest::qWait(AfterFirstPaintPauseMs + 50);
    QCOMPARE(runs, 2);
}

void TestAppUnits::readAheadGivesWhatLoadGives_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("present");
    const QByteArray head = "Quillorin v1.0 BETA\r\nFile created on : 06/12/2026\r\n\r\n";
    const QByteArray classes =
        "[Class]\r\nClassName=A\r\nMatters=x|\r\n[Class]\r\nClassName=B\r\nMatters=y|z|\r\n";
    QByteArray pupil = "[Pupil]\r\nSurname=S\r\nName=N\r\nBirthDay=\r\nClass=B\r\n"
                       "Sexe=Fille\r\nLevels=1|12,5|3|-1|\r\nRemarks=bien|\r\n";
    QTest::newRow("whole file") << head + classes + pupil << true;
    QTest::newRow("damaged levels, a note between blocks")
        << head + classes + "note\r\n" + pupil.replace("1|12,5|", "9x|?|") << true;
    QTest::newRow("cut short") << head + classes + "[Pupil]\r\nSurname=S\r\n" << true;
    QTest::newRow("no file") << QByteArray() << false;
}

void TestAppUnits::readAheadGivesWhatLoadGives() {
    // Read on its own thread, the workspace comes out as read at once: the
    // same records, the same result, the same messages in the same order.
    QFETCH(QByteArray, file);
    QFETCH(bool, present);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    if (present) {
        QFile out(folder.filePath(QStringLiteral("tree.dat")));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file);
    }
    const QDate day(2026, 12, 6);
    auto open = [&] {
        return std::make_unique<TWorkspaceDocument>(
            folder.path(), TRegionalSettings(), [day] { return day; },
            [](int, int) { return QIcon(); });
    };
    struct TRead {
        QByteArray Records;
        QStringList Said;
        bool Found, Complete;
        QString Error;
        int Rows;
    };
    auto read = [&](bool ahead) {
        const auto document = open();
        if (ahead)
            document->StartOpen(true);
        TRead result;
        const TLoadResult& loaded =
            document->Load([&](const QString& text) { result.Said << text; });
        result.Records = EncodeWorkspace(document->Workspace(), TRegionalSettings(), day);
        result.Found = loaded.Found;
        result.Complete = loaded.Complete();
        result.Error = loaded.Error;
        result.Rows = document->Model().rowCount();
        return result;
    };
    const TRead direct = read(false);
    const TRead ahead = read(true);
    QCOMPARE(ahead.Records, direct.Records);
    QCOMPARE(ahead.Said, direct.Said);
    QCOMPARE(ahead.Found, direct.Found);
    QCOMPARE(ahead.Complete, direct.Complete);
    QCOMPARE(ahead.Error, direct.Error);
    QCOMPARE(ahead.Rows, direct.Rows);
    // A document closed while its file is still being read waits for it.
    open()->StartOpen(true);
}

void TestAppUnits::readAheadOnlyOnceLocked() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QFile out(folder.filePath(QStringLiteral("tree.dat")));
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("Quillorin v1.0 BETA\r\n\r\n[Class]\r\nClassName=A\r\nMatters=x|\r\n");
    out.close();
    auto open = [&](bool read) {
        auto document = std::make_unique<TWorkspaceDocument>(
            folder.path(), TRegionalSettings(), [] { return QDate(2026, 12, 6); },
            [](int, int) { return QIcon(); });
        document->StartOpen(read);
        return document;
    };
    auto first = open(true);
    QVERIFY(first->Lock());
    // A folder held by a running program is neither taken nor read.
    const auto second = open(true);
    QVERIFY(!second->Lock());
    QCOMPARE(second->Model().rowCount(), 0);
    first->Load([](const QString&) {});
    QCOMPARE(first->Model().rowCount(), 1);
    // Released, the folder is taken again, here without reading.
    first.reset();
    const auto third = open(false);
    QVERIFY(third->Lock());
    QCOMPARE(third->Model().rowCount(), 0);
}

QTEST_MAIN(TestAppUnits)
#include "tst_app_units.moc"
