#include "platform/qt_dialogs.h"

#include <QInputDialog>
#include <QMessageBox>

namespace dz
{

int QtDialogs::MsgBox(QWidget* owner, const QString& prompt, int style, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title.isEmpty() ? AppTitle : title, prompt,
                    QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    if ((style & 0x70) == vbInformation)
        box.setIcon(QMessageBox::Information);
    else if ((style & 0x70) == vbExclamation)
        box.setIcon(QMessageBox::Warning);
    if ((style & 7) == vbYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? vbYes : vbNo;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return vbOK;
}

QString QtDialogs::InputBox(QWidget* owner, const QString& prompt, const QString& title,
                            const QString& defaultText)
{
    QInputDialog dialog(owner);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setWindowTitle(title.isEmpty() ? AppTitle : title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

} // namespace dz
