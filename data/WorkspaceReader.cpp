#include "data/WorkspaceReader.h"

#include "data/CommentsLine.h"
#include "data/Cp1252.h"
#include "data/SafeFile.h"
#include "data/WorkspaceCodecs.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace {

constexpr int kPupilFields = 7;
constexpr int kClassBlockLines = 3;
constexpr int kPupilBlockLines = kPupilFields + 1;

bool IsHeader(QByteArrayView line, QByteArrayView header) {
    return line.size() == header.size() && line.compare(header, Qt::CaseInsensitive) == 0;
}

bool IsBlank(QByteArrayView line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

bool IsDigits(QByteArrayView text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

struct TLine {
    QByteArrayView Text;
    qsizetype Start = 0; // the offset in the file of its first byte
};

// The file's lines one after the other (CR, LF and CR LF each end a line; an
// end at the very end adds no empty line), without a list of them all.
class TLineCursor {
public:
    // From the start of the file, or from a line's start.
    explicit TLineCursor(QByteArrayView bytes, qsizetype from = 0)
        : FBegin(bytes.data())
        , FPos(bytes.data() + from)
        , FEnd(bytes.data() + bytes.size()) {}

    bool Next(TLine& line) {
        if (FPos == FEnd)
            return false;
        // Line ends are rare next to the text between them: find the next
        // one with the library's fast searches.
        const auto* lf =
            static_cast<const char*>(std::memchr(FPos, '\n', std::size_t(FEnd - FPos)));
        const char* stop = lf ? lf : FEnd;
        const auto* cr =
            static_cast<const char*>(std::memchr(FPos, '\r', std::size_t(stop - FPos)));
        const char* lineEnd = cr ? cr : stop;
        line.Text = QByteArrayView(FPos, lineEnd - FPos);
        line.Start = FPos - FBegin;
        FPos = lineEnd;
        if (FPos != FEnd) {
            ++FPos;
            if (*lineEnd == '\r' && FPos != FEnd && *FPos == '\n')
                ++FPos;
        }
        return true;
    }

    // Where the next line starts.
    qsizetype Position() const { return FPos - FBegin; }

private:
    const char* FBegin;
    const char* FPos;
    const char* FEnd;
};

// The index, from 0, of the line that starts at the offset.
long long LineIndexAt(QByteArrayView bytes, qsizetype start) {
    TLineCursor lines(bytes);
    TLine line;
    long long index = 0;
    while (lines.Next(line) && line.Start < start)
        ++index;
    return index;
}

// The lines the writer puts before the first block, in this order. A line
// there that is none of them, or comes out of order, is a note.
class TPreamble {
public:
    bool Accept(QByteArrayView line) {
        for (int k = FNext; k < 4; ++k) {
            if (Matches(k, line)) {
                FNext = k + 1;
                return true;
            }
        }
        return false;
    }

private:
    static bool Matches(int k, QByteArrayView line) {
        switch (k) {
        case 0:
            return line == "Quillorin v1.0 BETA";
        case 1: // the day of writing, in whatever format it was written
            return line.startsWith("File created on : ");
        case 2:
            return line.startsWith("NbClasses=") && IsDigits(line.sliced(10));
        default:
            return line.startsWith("NbPupils=") && IsDigits(line.sliced(9));
        }
    }

    int FNext = 0;
};

// Reads the blocks as the list of the file's lines would be read with each
// block taken out of it once read: every class block first, so that a pupil
// finds its class wherever it stands, then every pupil block among the lines
// left. Notes, as it goes, what a save would not give back.
class TWorkspaceLoader {
public:
    TWorkspaceLoader(TWorkspace& tree, TLoadResult& result)
        : FTree(tree)
        , FResult(result) {
        for (const auto& schoolClass : tree.Classes)
            FClassByName.insert(schoolClass->Text, schoolClass.get());
    }

    void Read(QByteArrayView bytes) {
        try {
            ReadClasses(bytes);
            ReadPupils(bytes);
        } catch (...) {
            NumberFirstLoss(bytes);
            throw;
        }
        NumberFirstLoss(bytes);
    }

private:
    // Headers are the only lines that begin with "[": the class headers are
    // found by searching for that byte rather than by cutting every line.
    void ReadClasses(QByteArrayView bytes) {
        // An empty file's view may have no data at all, which memchr must not see.
        if (bytes.isEmpty())
            return;
        const char* const begin = bytes.data();
        const char* const end = begin + bytes.size();
        const char* from = begin;
        while (const auto* bracket =
                   static_cast<const char*>(std::memchr(from, '[', std::size_t(end - from)))) {
            from = bracket + 1;
            if (bracket != begin && bracket[-1] != '\n' && bracket[-1] != '\r')
                continue;
            TLineCursor lines(bytes, bracket - begin);
            TLine header;
            lines.Next(header);
            if (!IsHeader(header.Text, "[Class]"))
                continue;
            TLine name;
            TLine matters;
            const bool hasName = lines.Next(name);
            if (!hasName || !lines.Next(matters)) {
                // Where the header stands in the list once earlier blocks are out.
                const auto taken = static_cast<long long>(FClassStarts.size());
                const long long listIndex =
                    LineIndexAt(bytes, header.Start) - taken * kClassBlockLines;
                throw EListError(listIndex + (hasName ? 2 : 1));
            }
            auto record = std::make_unique<TPData>(TDataType::dtClass);
            record->SetClassName(Text(name, "ClassName="));
            if (!DecodeList(Value(matters, "Matters="), *record))
                Lost(TLoss::Values, matters.Start);
            AddClass(std::move(record));
            FClassStarts.push_back(header.Start);
            from = begin + lines.Position();
        }
    }

    // The lines the class blocks left, one after the other.
    class TLeftLines {
    public:
        TLeftLines(QByteArrayView bytes, const std::vector<qsizetype>& classStarts)
            : FLines(bytes)
            , FClassStarts(classStarts) {}

        bool Next(TLine& line) {
            if (FHasPending) {
                FHasPending = false;
                line = FPending;
                ++FListIndex;
                return true;
            }
            while (FLines.Next(line)) {
                if (FNextClass < FClassStarts.size() && line.Start == FClassStarts[FNextClass]) {
                    // The class block's two lines are there: it was read whole.
                    FLines.Next(line);
                    FLines.Next(line);
                    ++FNextClass;
                    continue;
                }
                ++FListIndex;
                return true;
            }
            return false;
        }

        // Makes the line just given the next one given again.
        void PutBack(const TLine& line) {
            FPending = line;
            FHasPending = true;
            --FListIndex;
        }

        // The index of the line last given in the list of lines left.
        long long ListIndex() const { return FListIndex; }

    private:
        TLineCursor FLines;
        const std::vector<qsizetype>& FClassStarts;
        std::size_t FNextClass = 0;
        long long FListIndex = -1;
        TLine FPending;
        bool FHasPending = false;
    };

    void ReadPupils(QByteArrayView bytes) {
        TLeftLines lines(bytes, FClassStarts);
        const qsizetype firstClass = FClassStarts.empty() ? -1 : FClassStarts.front();
        long long taken = 0;
        bool blockSeen = false;
        TPreamble preamble;
        TLine line;
        while (lines.Next(line)) {
            if (!IsHeader(line.Text, "[Pupil]")) {
                blockSeen = blockSeen || (firstClass >= 0 && line.Start > firstClass);
                if (!IsBlank(line.Text) && (blockSeen || !preamble.Accept(line.Text)))
                    Lost(TLoss::Notes, line.Start);
                continue;
            }
            blockSeen = true;
            const long long listIndex = lines.ListIndex() - taken * kPupilBlockLines;
            std::array<TLine, kPupilFields> fields;
            int available = 0;
            while (available < kPupilFields && lines.Next(fields[std::size_t(available)]))
                ++available;
            // A pupil's comments come on the line after its block, when it has any.
            TLine after;
            bool hasComments = false;
            if (available == kPupilFields && lines.Next(after)) {
                hasComments = IsCommentsLine(after.Text);
                if (!hasComments)
                    lines.PutBack(after);
            }
            ReadPupil(fields, available, listIndex, hasComments ? &after : nullptr);
            ++taken;
        }
    }

    // Reads the fields in order; a block cut short ends the load at its
    // first missing line, as the list's index error.
    void ReadPupil(const std::array<TLine, kPupilFields>& fields, int available,
                   long long listIndex, const TLine* comments) {
        auto field = [&](int offset) -> const TLine& {
            if (offset > available)
                throw EListError(listIndex + offset);
            return fields[std::size_t(offset - 1)];
        };
        QString surname = Text(field(1), "Surname=");
        QString name = Text(field(2), "Name=");
        QString birthDay = BirthDay(field(3));
        const QByteArrayView className = TextBytes(field(4), "Class=");
        TClassNode* schoolClass = ClassNamed(className);
        QString sexe = Sexe(field(5));
        auto record = std::make_unique<TPData>(TDataType::dtPupil);
        const TLine& levels = field(6);
        if (schoolClass)
            record->ReserveLevels(int(schoolClass->Data->Lines().size()));
        const TDecodedLevels decoded = DecodeLevels(Value(levels, "Levels="), *record);
        if (!decoded.Read) {
            ++FResult.CorruptLevels;
            Lost(TLoss::UnreadLevels, levels.Start);
        } else if (!decoded.Exact) {
            Lost(TLoss::Values, levels.Start);
        }
        const TLine& remarks = field(7);
        if (!DecodeList(Value(remarks, "Remarks="), *record))
            Lost(TLoss::Values, remarks.Start);

        if (!schoolClass) {
            auto classRecord = std::make_unique<TPData>(TDataType::dtClass);
            classRecord->SetClassName(Cp1252::Decode(className));
            schoolClass = AddClass(std::move(classRecord));
            FLastClassName = className;
            FLastClass = schoolClass;
        }
        // The class's name, held once for all its pupils.
        record->SetReadIdentity(std::move(surname), std::move(name), std::move(birthDay),
                                schoolClass->Data->ClassName(), std::move(sexe));
        // Entries beyond the class's subjects are dropped; missing ones are
        // added with no information, which loses nothing.
        const int subjects = int(schoolClass->Data->Lines().size());
        if (decoded.Read && subjects > 0 && record->LevelCount() > subjects)
            Lost(TLoss::Values, levels.Start);
        record->SetLevelCount(subjects);
        if (comments)
            ReadComments(*comments, *record);

        auto node = std::make_unique<TNode>();
        node->Text = PupilCaption(*record);
        node->SetImages(NodeImages(*record));
        node->Data = std::move(record);
        schoolClass->Pupils.push_back(std::move(node));
    }

    // The class of that name, or null when none has it yet. The pupils of a
    // class nearly always follow one another: the name's bytes are compared
    // with the last pupil's before the name is decoded and looked up.
    TClassNode* ClassNamed(QByteArrayView name) {
        if (FLastClass && name == FLastClassName)
            return FLastClass;
        TClassNode* const found =
            FClassByName.value(TPData::StoredText(Cp1252::Decode(name)), nullptr);
        if (found) {
            FLastClassName = name;
            FLastClass = found;
        }
        return found;
    }

    // The pupils of a school were born on few days: a date is held once for
    // all of them, up to a bound that keeps the table small whatever the file.
    QString BirthDay(const TLine& line) {
        constexpr qsizetype kSharedDates = 4096;
        const QByteArrayView value = TextBytes(line, "BirthDay=");
        if (const auto found = FBirthDays.constFind(value); found != FBirthDays.cend())
            return *found;
        QString date = Cp1252::Decode(value);
        if (FBirthDays.size() < kSharedDates)
            FBirthDays.insert(value, date);
        return date;
    }

    // A pupil's sex is nearly always one of the three values: the text is
    // then held once for all of them.
    QString Sexe(const TLine& line) {
        static const std::array<QByteArray, 3> written = {Cp1252::Encode(SexeValues()[0]),
                                                          Cp1252::Encode(SexeValues()[1]),
                                                          Cp1252::Encode(SexeValues()[2])};
        const QByteArrayView value = TextBytes(line, "Sexe=");
        for (std::size_t i = 0; i < written.size(); ++i) {
            if (value == written[i])
                return SexeValues()[i];
        }
        return Cp1252::Decode(value);
    }

    // Written back only when the pupil has a comment, and then with an
    // entry for every evaluation.
    void ReadComments(const TLine& line, TPData& record) {
        DecodeComments(Value(line, "Comments="), record);
        if (!record.HasComments() || Cp1252::Encode(CommentsLine(record)) != line.Text)
            Lost(TLoss::Values, line.Start);
    }

    // The value after the key; a key spelled otherwise, or a line without
    // one (a line missing before it), is written back otherwise.
    QByteArrayView Value(const TLine& line, QByteArrayView key) {
        if (!line.Text.startsWith(key))
            Lost(TLoss::Values, line.Start);
        return ValueOf(line.Text);
    }

    // The value of an identity text, which the record cuts to its longest.
    QByteArrayView TextBytes(const TLine& line, QByteArrayView key) {
        const QByteArrayView value = Value(line, key);
        if (value.size() > TPData::MaxTextLength)
            Lost(TLoss::Values, line.Start);
        return value;
    }

    QString Text(const TLine& line, QByteArrayView key) {
        return Cp1252::Decode(TextBytes(line, key));
    }

    void Lost(TLoss loss, qsizetype lineStart) {
        FResult.Losses |= loss;
        FFirstLoss = FFirstLoss < 0 ? lineStart : std::min(FFirstLoss, lineStart);
    }

    void NumberFirstLoss(QByteArrayView bytes) {
        if (FFirstLoss >= 0)
            FResult.FirstLossLine = LineIndexAt(bytes, FFirstLoss) + 1;
    }

    TClassNode* AddClass(std::unique_ptr<TPData> record) {
        auto node = std::make_unique<TClassNode>();
        node->Text = record->ClassName();
        node->SetImages(NodeImages(*record));
        node->Data = std::move(record);
        TClassNode* added = node.get();
        FTree.Classes.push_back(std::move(node));
        // The first class of a name is the one its pupils join.
        if (!FClassByName.contains(added->Text))
            FClassByName.insert(added->Text, added);
        return added;
    }

    TWorkspace& FTree;
    TLoadResult& FResult;
    QHash<QString, TClassNode*> FClassByName;
    std::vector<qsizetype> FClassStarts; // where every class header read starts
    QByteArrayView FLastClassName;       // the last pupil's "Class=" value, and its class
    TClassNode* FLastClass = nullptr;
    QHash<QByteArrayView, QString> FBirthDays; // views of the file's bytes
    qsizetype FFirstLoss = -1;                 // where the first line with a loss starts
};

// Runs the step; a failure becomes the result's error.
template <typename Step> void Guarded(TLoadResult& result, Step step) {
    try {
        step();
    } catch (const EListError& error) {
        result.Error = QString::fromStdString(error.what());
    } catch (const std::bad_alloc&) {
        result.Error = OutOfMemoryMessage();
    } catch (const std::exception& error) {
        result.Error = QString::fromUtf8(error.what());
    }
}

} // namespace

QString MissingWorkspaceMessage(const QString& path) {
    return QStringLiteral(
               "Le fichier '%1' est introuvable,\raucune classe et aucun élève recensés.")
        .arg(path);
}

QString CorruptWorkspaceMessage(int pupils) {
    if (pupils <= 1)
        return QStringLiteral("Fichier 'Tree.dat' corrompu\rfichier ignoré.");
    return QStringLiteral("Fichier 'Tree.dat' corrompu\r"
                          "les évaluations de %1 élèves n'ont pu être lues qu'en partie.")
        .arg(pupils);
}

QString OutOfMemoryMessage() {
    return QStringLiteral("Mémoire insuffisante");
}

TLoadResult LoadWorkspaceFromBytes(QByteArrayView bytes, TWorkspace& tree,
                                   const TRegionalSettings& /*regional*/,
                                   const TMessageSink& messages) {
    TLoadResult result;
    Guarded(result, [&] { TWorkspaceLoader(tree, result).Read(bytes); });
    // One message for the whole file, however many pupils it concerns.
    if (result.CorruptLevels > 0)
        Guarded(result, [&] { messages(CorruptWorkspaceMessage(result.CorruptLevels)); });
    if (!result.Error.isEmpty())
        result.SetCutShort();
    return result;
}

TLoadResult LoadWorkspace(const QString& path, TWorkspace& tree, const TRegionalSettings& regional,
                          const TMessageSink& messages) {
    if (!QFileInfo::exists(path)) {
        messages(MissingWorkspaceMessage(path));
        TLoadResult result;
        result.Found = false;
        return result;
    }
    std::optional<QByteArray> bytes;
    TLoadResult result;
    try {
        bytes = ReadWholeFile(path);
    } catch (const std::bad_alloc&) {
        result.Error = OutOfMemoryMessage();
        result.SetCutShort();
        return result;
    }
    if (!bytes) {
        result.Error = OpenFileError(path);
        result.SetCutShort();
        return result;
    }
    return LoadWorkspaceFromBytes(*bytes, tree, regional, messages);
}
