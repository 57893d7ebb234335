#include "app/CommentDlg.h"

#include "data/PData.h"

#include <QInputDialog>

std::optional<QString> AskComment(QWidget* parent, const TPData& pupil, int subject,
                                  const QString& subjectName) {
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("CommentDlg"));
    dialog.setWindowTitle(QStringLiteral("Commentaire"));
    dialog.setLabelText(QStringLiteral("Commentaire de %1 %2 en « %3 » :")
                            .arg(pupil.Name(), pupil.Surname(), subjectName));
    dialog.setTextValue(pupil.GetComment(subject));
    dialog.resize(420, dialog.sizeHint().height());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}
