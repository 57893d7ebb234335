// The results as an OpenDocument spreadsheet: the XML written with Qt's
// stream writer, the package made in memory with libzip. (QuaZip would do
// as well, but it exports the same minizip symbols that libxlsxwriter
// carries inside it, and the two cannot live in one program.)

#include "spreadsheet/ResultWriters.h"
#include "spreadsheet/SpreadsheetLibraries.h"

#include <QXmlStreamWriter>

#include <memory>
#include <vector>

namespace {

const QString kOffice = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kStyle = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
const QString kText = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString kTable = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString kFo = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0");
const QString kNumber = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0");
const QString kConfig = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:config:1.0");
const QString kManifest = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:manifest:1.0");
const QString kMimeType = QStringLiteral("application/vnd.oasis.opendocument.spreadsheet");

void StartDocument(QXmlStreamWriter& xml, const QString& root) {
    xml.setAutoFormatting(false);
    xml.writeStartDocument();
    for (const auto& [prefix, uri] :
         {std::pair(QStringLiteral("office"), kOffice), std::pair(QStringLiteral("style"), kStyle),
          std::pair(QStringLiteral("text"), kText), std::pair(QStringLiteral("table"), kTable),
          std::pair(QStringLiteral("fo"), kFo), std::pair(QStringLiteral("number"), kNumber),
          std::pair(QStringLiteral("config"), kConfig)})
        xml.writeNamespace(uri, prefix);
    xml.writeStartElement(kOffice, root);
    xml.writeAttribute(kOffice, QStringLiteral("version"), QStringLiteral("1.2"));
}

void WriteStyles(QXmlStreamWriter& xml, const TResultTable& table) {
    xml.writeStartElement(kOffice, QStringLiteral("automatic-styles"));
    // Averages show two decimals, as a mark would be read.
    xml.writeStartElement(kNumber, QStringLiteral("number-style"));
    xml.writeAttribute(kStyle, QStringLiteral("name"), QStringLiteral("N2"));
    xml.writeEmptyElement(kNumber, QStringLiteral("number"));
    xml.writeAttribute(kNumber, QStringLiteral("decimal-places"), QStringLiteral("2"));
    xml.writeAttribute(kNumber, QStringLiteral("min-integer-digits"), QStringLiteral("1"));
    xml.writeEndElement();
    for (std::size_t c = 0; c < table.ColumnWidths.size(); ++c) {
        xml.writeStartElement(kStyle, QStringLiteral("style"));
        xml.writeAttribute(kStyle, QStringLiteral("name"), QStringLiteral("co%1").arg(c));
        xml.writeAttribute(kStyle, QStringLiteral("family"), QStringLiteral("table-column"));
        xml.writeEmptyElement(kStyle, QStringLiteral("table-column-properties"));
        // A character of the default font is about 0.19 cm wide.
        xml.writeAttribute(kStyle, QStringLiteral("column-width"),
                           QString::number(table.ColumnWidths[c] * 0.19, 'f', 2) +
                               QStringLiteral("cm"));
        xml.writeEndElement();
    }
    auto cellStyle = [&xml](const char* name, bool bold, bool centred, const char* dataStyle) {
        xml.writeStartElement(kStyle, QStringLiteral("style"));
        xml.writeAttribute(kStyle, QStringLiteral("name"), QString::fromLatin1(name));
        xml.writeAttribute(kStyle, QStringLiteral("family"), QStringLiteral("table-cell"));
        if (dataStyle)
            xml.writeAttribute(kStyle, QStringLiteral("data-style-name"),
                               QString::fromLatin1(dataStyle));
        if (centred) {
            xml.writeEmptyElement(kStyle, QStringLiteral("paragraph-properties"));
            xml.writeAttribute(kFo, QStringLiteral("text-align"), QStringLiteral("center"));
        }
        if (bold) {
            xml.writeEmptyElement(kStyle, QStringLiteral("text-properties"));
            xml.writeAttribute(kFo, QStringLiteral("font-weight"), QStringLiteral("bold"));
        }
        xml.writeEndElement();
    };
    cellStyle("Heading", true, true, nullptr);
    cellStyle("Label", true, false, nullptr);
    cellStyle("Average", true, false, "N2");
    xml.writeEndElement();
}

// ODF numbers are written with a point, whatever the user's settings.
QString OdfNumber(double value) {
    return QString::number(value, 'g', 15);
}

void WriteCell(QXmlStreamWriter& xml, const TResultCell& cell, bool inHeader) {
    xml.writeStartElement(kTable, QStringLiteral("table-cell"));
    if (cell.Style == TResultStyle::Heading)
        xml.writeAttribute(kTable, QStringLiteral("style-name"),
                           inHeader ? QStringLiteral("Heading") : QStringLiteral("Label"));
    else if (cell.Style == TResultStyle::Average)
        xml.writeAttribute(kTable, QStringLiteral("style-name"), QStringLiteral("Average"));
    if (cell.Span > 1)
        xml.writeAttribute(kTable, QStringLiteral("number-columns-spanned"),
                           QString::number(cell.Span));
    if (cell.Kind == TResultCell::TKind::Number) {
        xml.writeAttribute(kOffice, QStringLiteral("value-type"), QStringLiteral("float"));
        xml.writeAttribute(kOffice, QStringLiteral("value"), OdfNumber(cell.Number));
        xml.writeTextElement(kText, QStringLiteral("p"), OdfNumber(cell.Number));
    } else if (cell.Kind == TResultCell::TKind::Text) {
        xml.writeAttribute(kOffice, QStringLiteral("value-type"), QStringLiteral("string"));
        for (const QString& line : cell.Text.split(u'\n'))
            xml.writeTextElement(kText, QStringLiteral("p"), line);
    }
    xml.writeEndElement();
}

QByteArray Content(const TResultTable& table) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    StartDocument(xml, QStringLiteral("document-content"));
    WriteStyles(xml, table);
    xml.writeStartElement(kOffice, QStringLiteral("body"));
    xml.writeStartElement(kOffice, QStringLiteral("spreadsheet"));
    xml.writeStartElement(kTable, QStringLiteral("table"));
    xml.writeAttribute(kTable, QStringLiteral("name"), SheetName(table.Name));
    for (std::size_t c = 0; c < table.ColumnWidths.size(); ++c) {
        xml.writeEmptyElement(kTable, QStringLiteral("table-column"));
        xml.writeAttribute(kTable, QStringLiteral("style-name"), QStringLiteral("co%1").arg(c));
    }
    for (std::size_t r = 0; r < table.Rows.size(); ++r) {
        const bool inHeader = int(r) < table.HeaderRows;
        if (r == 0 && table.HeaderRows > 0)
            xml.writeStartElement(kTable, QStringLiteral("table-header-rows"));
        xml.writeStartElement(kTable, QStringLiteral("table-row"));
        const auto& row = table.Rows[r];
        std::size_t c = 0;
        while (c < row.size()) {
            const TResultCell& cell = row[c];
            if (cell.Kind == TResultCell::TKind::Empty) {
                // A run of empty cells is one element.
                std::size_t end = c + 1;
                while (end < row.size() && row[end].Kind == TResultCell::TKind::Empty)
                    ++end;
                xml.writeEmptyElement(kTable, QStringLiteral("table-cell"));
                if (end - c > 1)
                    xml.writeAttribute(kTable, QStringLiteral("number-columns-repeated"),
                                       QString::number(end - c));
                c = end;
                continue;
            }
            WriteCell(xml, cell, inHeader);
            for (int covered = 1; covered < cell.Span && c + std::size_t(covered) < row.size();
                 ++covered)
                xml.writeEmptyElement(kTable, QStringLiteral("covered-table-cell"));
            c += std::size_t(std::max(cell.Span, 1));
        }
        xml.writeEndElement();
        if (inHeader && int(r) + 1 == table.HeaderRows)
            xml.writeEndElement();
    }
    xml.writeEndDocument();
    return bytes;
}

// The view: header rows and the name columns frozen.
QByteArray Settings(const TResultTable& table) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    StartDocument(xml, QStringLiteral("document-settings"));
    xml.writeStartElement(kOffice, QStringLiteral("settings"));
    xml.writeStartElement(kConfig, QStringLiteral("config-item-set"));
    xml.writeAttribute(kConfig, QStringLiteral("name"), QStringLiteral("ooo:view-settings"));
    xml.writeStartElement(kConfig, QStringLiteral("config-item-map-indexed"));
    xml.writeAttribute(kConfig, QStringLiteral("name"), QStringLiteral("Views"));
    xml.writeStartElement(kConfig, QStringLiteral("config-item-map-entry"));
    auto item = [&xml](const char* name, const char* type, const QString& value) {
        xml.writeStartElement(kConfig, QStringLiteral("config-item"));
        xml.writeAttribute(kConfig, QStringLiteral("name"), QString::fromLatin1(name));
        xml.writeAttribute(kConfig, QStringLiteral("type"), QString::fromLatin1(type));
        xml.writeCharacters(value);
        xml.writeEndElement();
    };
    item("ViewId", "string", QStringLiteral("view1"));
    xml.writeStartElement(kConfig, QStringLiteral("config-item-map-named"));
    xml.writeAttribute(kConfig, QStringLiteral("name"), QStringLiteral("Tables"));
    xml.writeStartElement(kConfig, QStringLiteral("config-item-map-entry"));
    xml.writeAttribute(kConfig, QStringLiteral("name"), SheetName(table.Name));
    const QString columns = QString::number(table.FrozenColumns);
    const QString rows = QString::number(table.HeaderRows);
    item("HorizontalSplitMode", "short", QStringLiteral("2"));
    item("VerticalSplitMode", "short", QStringLiteral("2"));
    item("HorizontalSplitPosition", "int", columns);
    item("VerticalSplitPosition", "int", rows);
    item("ActiveSplitRange", "short", QStringLiteral("2"));
    item("PositionLeft", "int", QStringLiteral("0"));
    item("PositionRight", "int", columns);
    item("PositionTop", "int", QStringLiteral("0"));
    item("PositionBottom", "int", rows);
    xml.writeEndElement();
    xml.writeEndElement();
    item("ActiveTable", "string", SheetName(table.Name));
    xml.writeEndDocument();
    return bytes;
}

QByteArray Manifest() {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument();
    xml.writeNamespace(kManifest, QStringLiteral("manifest"));
    xml.writeStartElement(kManifest, QStringLiteral("manifest"));
    xml.writeAttribute(kManifest, QStringLiteral("version"), QStringLiteral("1.2"));
    auto entry = [&xml](const QString& path, const QString& type) {
        xml.writeEmptyElement(kManifest, QStringLiteral("file-entry"));
        xml.writeAttribute(kManifest, QStringLiteral("full-path"), path);
        xml.writeAttribute(kManifest, QStringLiteral("media-type"), type);
    };
    entry(QStringLiteral("/"), kMimeType);
    entry(QStringLiteral("content.xml"), QStringLiteral("text/xml"));
    entry(QStringLiteral("settings.xml"), QStringLiteral("text/xml"));
    xml.writeEndDocument();
    return bytes;
}

struct TEntry {
    const char* Name;
    QByteArray Bytes;
};

struct TArchiveCloser {
    const TZipFunctions* zip;
    void operator()(zip_t* archive) const { zip->zip_discard(archive); }
};
struct TSourceFreer {
    const TZipFunctions* zip;
    void operator()(zip_source_t* source) const { zip->zip_source_free(source); }
};

// The package's bytes, its entries in order; the first one (the package's
// type) uncompressed, so that it can be read at a fixed place.
std::optional<QByteArray> Package(const TZipFunctions* zip, const std::vector<TEntry>& entries) {
    zip_error_t error;
    zip->zip_error_init(&error);
    std::unique_ptr<zip_source_t, TSourceFreer> memory(
        zip->zip_source_buffer_create(nullptr, 0, 0, &error), TSourceFreer{zip});
    if (!memory)
        return std::nullopt;
    // Kept after the archive is closed, to read the bytes back.
    zip->zip_source_keep(memory.get());
    std::unique_ptr<zip_t, TArchiveCloser> archive(
        zip->zip_open_from_source(memory.get(), ZIP_TRUNCATE, &error), TArchiveCloser{zip});
    zip->zip_error_fini(&error);
    if (!archive)
        return std::nullopt;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QByteArray& bytes = entries[i].Bytes;
        zip_source_t* source =
            zip->zip_source_buffer(archive.get(), bytes.constData(), zip_uint64_t(bytes.size()), 0);
        if (!source)
            return std::nullopt;
        const zip_int64_t index =
            zip->zip_file_add(archive.get(), entries[i].Name, source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip->zip_source_free(source);
            return std::nullopt;
        }
        if (zip->zip_set_file_compression(archive.get(), zip_uint64_t(index),
                                          i == 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0) != 0)
            return std::nullopt;
    }
    if (zip->zip_close(archive.get()) != 0)
        return std::nullopt;
    archive.release();

    if (zip->zip_source_open(memory.get()) != 0)
        return std::nullopt;
    QByteArray package;
    zip->zip_source_seek(memory.get(), 0, SEEK_END);
    const zip_int64_t size = zip->zip_source_tell(memory.get());
    zip->zip_source_seek(memory.get(), 0, SEEK_SET);
    if (size >= 0) {
        package.resize(qsizetype(size));
        if (zip->zip_source_read(memory.get(), package.data(), zip_uint64_t(size)) != size)
            package.clear();
    }
    zip->zip_source_close(memory.get());
    if (size < 0 || package.size() != size)
        return std::nullopt;
    return package;
}

} // namespace

TResultBytes ResultsOds(const TResultTable& table) {
    // The entries' bytes stay alive until the package is closed.
    const std::vector<TEntry> entries = {{"mimetype", kMimeType.toLatin1()},
                                         {"META-INF/manifest.xml", Manifest()},
                                         {"content.xml", Content(table)},
                                         {"settings.xml", Settings(table)}};
    QString unavailable;
    const TZipFunctions* zip = ZipFunctions(unavailable);
    if (!zip)
        return QStringLiteral("Le classeur OpenDocument n'a pas pu être écrit (%1).")
            .arg(unavailable);
    if (std::optional<QByteArray> package = Package(zip, entries))
        return *package;
    return QStringLiteral("Le classeur OpenDocument n'a pas pu être écrit.");
}
