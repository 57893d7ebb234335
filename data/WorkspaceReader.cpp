#include "data/WorkspaceReader.h"

#include "data/CommentsLine.h"
#include "data/Cp1252.h"
#include "data/SafeFile.h"
#include "data/TextLines.h"
#include "data/WorkspaceCodecs.h"
#include "data/WorkspaceWriter.h"

#include <QFileInfo>
#include <QHash>

#include <memory>
#include <new>
#include <optional>
#include <vector>

namespace {

constexpr int kClassBlockLines = 3;
constexpr int kPupilBlockLines = 8;

bool IsHeader(QByteArrayView line, QByteArrayView header) {
    return line.size() == header.size() &&
           QByteArrayView(line).compare(header, Qt::CaseInsensitive) == 0;
}

// The file's lines as the load sees them: blocks already read have been taken
// out, so the index of a line is its position in what remains.
class TBlockReader {
public:
    explicit TBlockReader(std::vector<QByteArrayView> lines)
        : FLines(std::move(lines)) {}

    // Finds each header in turn; taking a block out of the list never moves
    // a header before the one just found, so one pass finds them all.
    template <typename ReadBlock>
    void ForEachBlock(QByteArrayView header, int blockLines, ReadBlock readBlock) {
        std::vector<QByteArrayView> remaining;
        remaining.reserve(FLines.size());
        std::size_t taken = 0;
        std::size_t i = 0;
        for (; i < FLines.size(); ++i) {
            if (!IsHeader(FLines[i], header)) {
                remaining.push_back(FLines[i]);
                continue;
            }
            FBlockStart = i;
            FListIndexOfStart =
                static_cast<long long>(i) - static_cast<long long>(taken) * blockLines;
            readBlock(*this);
            ++taken;
            i += std::size_t(blockLines) - 1;
        }
        FLines = std::move(remaining);
    }

    // Line `offset` of the block being read.
    QByteArrayView Line(int offset) const {
        const std::size_t index = FBlockStart + std::size_t(offset);
        if (index >= FLines.size())
            throw EListError(FListIndexOfStart + offset);
        return FLines[index];
    }

    QString Value(int offset) const { return Cp1252::Decode(ValueOf(Line(offset))); }

    // The optional line after the block (a pupil's comments), when there is one.
    std::optional<QByteArrayView> LineAfter(int blockLines) const {
        const std::size_t index = FBlockStart + std::size_t(blockLines);
        return index < FLines.size() ? std::optional(FLines[index]) : std::nullopt;
    }

private:
    std::vector<QByteArrayView> FLines;
    std::size_t FBlockStart = 0;
    long long FListIndexOfStart = 0;
};

class TWorkspaceLoader {
public:
    TWorkspaceLoader(TWorkspace& tree, const TRegionalSettings& regional,
                     const TMessageSink& messages, TLoadResult& result)
        : FTree(tree)
        , FRegional(regional)
        , FMessages(messages)
        , FResult(result) {
        for (std::size_t i = 0; i < tree.Classes.size(); ++i)
            FClassByName.insert(tree.Classes[i]->Text, tree.Classes[i].get());
    }

    void ReadClass(const TBlockReader& block) {
        auto record = std::make_unique<TPData>(TDataType::dtClass);
        record->SetClassName(block.Value(1));
        DecodeList(ValueOf(block.Line(2)), *record);
        AddClass(std::move(record));
    }

    void ReadPupil(const TBlockReader& block) {
        auto record = std::make_unique<TPData>(TDataType::dtPupil);
        record->SetSurname(block.Value(1));
        record->SetName(block.Value(2));
        record->SetBirthDay(block.Value(3));
        record->SetClassName(block.Value(4));
        record->SetSexe(block.Value(5));
        if (!DecodeLevels(ValueOf(block.Line(6)), *record, FRegional.DecimalSeparator)) {
            ++FResult.CorruptLevels;
            FMessages(CorruptWorkspaceMessage());
        }
        DecodeList(ValueOf(block.Line(7)), *record);

        TClassNode* schoolClass = FClassByName.value(record->ClassName());
        if (!schoolClass) {
            auto classRecord = std::make_unique<TPData>(TDataType::dtClass);
            classRecord->SetClassName(record->ClassName());
            schoolClass = AddClass(std::move(classRecord));
        }
        record->SetLevelCount(int(schoolClass->Data->Lines().size()));
        if (const auto comments = block.LineAfter(kPupilBlockLines);
            comments && IsCommentsLine(*comments))
            DecodeComments(ValueOf(*comments), *record);

        auto node = std::make_unique<TNode>();
        node->Text = record->Surname() + u' ' + record->Name();
        node->SetImages(NodeImages(*record));
        node->Data = std::move(record);
        schoolClass->Pupils.push_back(std::move(node));
    }

private:
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
    const TRegionalSettings& FRegional;
    const TMessageSink& FMessages;
    TLoadResult& FResult;
    QHash<QString, TClassNode*> FClassByName;
};

} // namespace

QString MissingWorkspaceMessage(const QString& path) {
    return QStringLiteral(
               "Le fichier '%1' est introuvable,\raucune classe et aucun élève recensés.")
        .arg(path);
}

QString CorruptWorkspaceMessage() {
    return QStringLiteral("Fichier 'Tree.dat' corrompu\rfichier ignoré.");
}

TLoadResult LoadWorkspaceFromBytes(QByteArrayView bytes, TWorkspace& tree,
                                   const TRegionalSettings& regional,
                                   const TMessageSink& messages) {
    TLoadResult result;
    const bool wasEmpty = tree.Classes.empty();
    try {
        const std::vector<QByteArrayView> lines = SplitLines(bytes);
        TWorkspaceLoader loader(tree, regional, messages, result);
        TBlockReader reader(lines);
        reader.ForEachBlock("[Class]", kClassBlockLines,
                            [&](const TBlockReader& block) { loader.ReadClass(block); });
        reader.ForEachBlock("[Pupil]", kPupilBlockLines,
                            [&](const TBlockReader& block) { loader.ReadPupil(block); });
        // Only a tree made from this file alone can be compared with it.
        if (wasEmpty && result.Error.isEmpty())
            result.LostContent = !WritesBackTheSame(lines, tree, regional);
    } catch (const EListError& error) {
        result.Error = QString::fromStdString(error.what());
    } catch (const std::bad_alloc&) {
        result.Error = OutOfMemoryMessage();
    } catch (const std::exception& error) {
        result.Error = QString::fromUtf8(error.what());
    }
    return result;
}

QString OutOfMemoryMessage() {
    return QStringLiteral("Mémoire insuffisante");
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
        return result;
    }
    if (!bytes) {
        result.Error = OpenFileError(path);
        return result;
    }
    return LoadWorkspaceFromBytes(*bytes, tree, regional, messages);
}
