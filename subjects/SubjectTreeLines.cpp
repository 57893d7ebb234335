#include "subjects/SubjectTreeLines.h"

#include "data/SubjectLine.h"

#include <QTreeWidget>

#include <vector>

namespace {

// Visits every node in pre-order without recursion: a file can nest deep.
template <typename Visit> void ForEachNode(const QTreeWidget& tree, Visit visit) {
    std::vector<QTreeWidgetItem*> pending;
    for (int i = tree.topLevelItemCount() - 1; i >= 0; --i)
        pending.push_back(tree.topLevelItem(i));
    while (!pending.empty()) {
        QTreeWidgetItem* item = pending.back();
        pending.pop_back();
        visit(item);
        for (int i = item->childCount() - 1; i >= 0; --i)
            pending.push_back(item->child(i));
    }
}

} // namespace

QTreeWidgetItem* AppendSubjectNode(QTreeWidget& tree, QTreeWidgetItem* parent, const QString& text,
                                   bool evaluated) {
    auto* item = new QTreeWidgetItem;
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable |
                   Qt::ItemIsEditable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled);
    item->setText(0, text);
    item->setCheckState(0, evaluated ? Qt::Checked : Qt::Unchecked);
    if (parent)
        parent->addChild(item);
    else
        tree.addTopLevelItem(item);
    return item;
}

int NodeLevel(const QTreeWidgetItem* item) {
    int level = 0;
    for (const QTreeWidgetItem* p = item->parent(); p; p = p->parent())
        ++level;
    return level;
}

void AppendSubjectLines(QTreeWidget& tree, const QStringList& lines, bool originOf) {
    QTreeWidgetItem* prev = nullptr;
    int prevLevel = 0;
    for (int index = 0; index < lines.size(); ++index) {
        const TSubjectLine subject = ParseSubjectLine(lines[index]);
        if (prev && subject.Depth > prevLevel + 1) {
            prev->setCheckState(0, subject.Evaluated ? Qt::Checked : Qt::Unchecked);
            continue;
        }
        QTreeWidgetItem* parent = nullptr;
        int level = 0;
        if (prev && subject.Depth == prevLevel + 1) {
            parent = prev;
            level = prevLevel + 1;
        } else if (prev) {
            // The new node is a sibling of prev's ancestor at its depth.
            QTreeWidgetItem* sibling = prev;
            for (int l = prevLevel; l > subject.Depth; --l)
                sibling = sibling->parent();
            parent = sibling->parent();
            level = qMin(subject.Depth, prevLevel);
        }
        prev = AppendSubjectNode(tree, parent, subject.Name, subject.Evaluated);
        if (originOf)
            prev->setData(0, SubjectOriginRole, index);
        prevLevel = level;
    }
}

void DeriveCheckStates(QTreeWidget& tree) {
    ForEachNode(tree, [](QTreeWidgetItem* item) {
        item->setCheckState(0, item->childCount() > 0 ? Qt::Unchecked : Qt::Checked);
    });
}

QStringList EncodeSubjectTree(const QTreeWidget& tree) {
    QStringList lines;
    ForEachNode(tree, [&lines](QTreeWidgetItem* item) {
        lines.append(EncodeSubjectLine(
            {item->checkState(0) == Qt::Checked, NodeLevel(item), item->text(0)}));
    });
    return lines;
}

QList<int> SubjectTreeOrigins(const QTreeWidget& tree) {
    QList<int> origins;
    ForEachNode(tree, [&origins](QTreeWidgetItem* item) {
        const QVariant origin = item->data(0, SubjectOriginRole);
        origins.append(origin.isValid() ? origin.toInt() : -1);
    });
    return origins;
}
