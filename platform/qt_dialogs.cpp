#include "platform/qt_dialogs.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>

namespace dz
{

namespace
{

// A Yes/No question has no other answer: Esc and the title bar's close button do nothing.
class Box : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;
    bool question = false;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!question || event->key() != Qt::Key_Escape)
            QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override
    {
        if (question)
            event->ignore();
        else
            QMessageBox::closeEvent(event);
    }
};

// A window manager cuts a title wider than its window, and Qt sizes the box to its text: the
// box gets room for its title in a title bar's larger face (twice its width in ours, beside
// the title bar's buttons) and for its text on one line, as far as the screen allows.
void Widen(QMessageBox& box, const QString& prompt)
{
    const QFontMetrics metrics(box.font());
    const int wanted = std::max(2 * metrics.horizontalAdvance(box.windowTitle()),
                                metrics.horizontalAdvance(prompt)) +
                       100;
    const int room = box.screen()->availableGeometry().width() - 100;
    auto* grid = static_cast<QGridLayout*>(box.layout());
    grid->addItem(new QSpacerItem(std::min(wanted, room), 0), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

} // namespace

int QtDialogs::MsgBox(QWidget* owner, const QString& prompt, int style, const QString& title)
{
    Box box(QMessageBox::NoIcon, title.isEmpty() ? AppTitle : title, prompt, QMessageBox::NoButton,
            owner);
    box.setTextFormat(Qt::PlainText);
    if ((style & 0x70) == vbInformation)
        box.setIcon(QMessageBox::Information);
    else if ((style & 0x70) == vbExclamation)
        box.setIcon(QMessageBox::Warning);
    box.question = (style & 7) == vbYesNo;
    box.setStandardButtons(box.question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
    Widen(box, prompt);
    const int answer = box.exec();
    return !box.question ? vbOK : answer == QMessageBox::Yes ? vbYes : vbNo;
}

QString QtDialogs::InputBox(QWidget* owner, const QString& prompt, const QString& title,
                            const QString& defaultText)
{
    QInputDialog dialog(owner);
    dialog.setWindowTitle(title.isEmpty() ? AppTitle : title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

} // namespace dz
