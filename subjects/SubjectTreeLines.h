#pragma once

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

// Appends one node per line after what the tree holds, each at its line's
// depth below the node made before it; a line more than one level deeper
// than that node makes no node, its heading flag going to that node.
void AppendSubjectLines(QTreeWidget& tree, const QStringList& lines);

// Every node with children becomes a heading, every other one evaluated.
void DeriveCheckStates(QTreeWidget& tree);

// One line per node, parents before their children.
QStringList EncodeSubjectTree(const QTreeWidget& tree);
