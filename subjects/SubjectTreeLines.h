#pragma once

#include <QList>
#include <QStringList>

class QTreeWidget;
class QTreeWidgetItem;

// The subject tree of the editor and the subject lines it stands for. A
// node's check box tells an evaluated subject (ticked) from a heading.

// Appends a node as the last child of parent, or at the end of the top level
// when parent is null.
QTreeWidgetItem* AppendSubjectNode(QTreeWidget& tree, QTreeWidgetItem* parent, const QString& text,
                                   bool evaluated);

// Depth of a node: 0 for the top level.
int NodeLevel(const QTreeWidgetItem* item);

// Where a node carries the index of the class's subject line it was made
// from: a node keeps it through renames and moves, so that its subject's
// evaluations follow it. Nodes made from typed or imported text have none.
constexpr int SubjectOriginRole = Qt::UserRole;

// Appends one node per line after what the tree holds, each at its line's
// depth below the node made before it; a line more than one level deeper
// than that node makes no node, its heading flag going to that node. With
// `originOf`, each node made carries the index of its line.
void AppendSubjectLines(QTreeWidget& tree, const QStringList& lines, bool originOf = false);

// Every node with children becomes a heading, every other one evaluated.
void DeriveCheckStates(QTreeWidget& tree);

// One line per node, parents before their children.
QStringList EncodeSubjectTree(const QTreeWidget& tree);
// For each of those lines, the index of the line its node was made from,
// or -1.
QList<int> SubjectTreeOrigins(const QTreeWidget& tree);
