#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include "options/frmOptions.h"
#include "support/fakes.h"

using dz::frmOptions;

namespace
{

struct Fixture {
    dz::test::RecordingSound sound;
    dz::Context ctx;
    Fixture() { ctx.sound = &sound; }
};

template <class W = QAbstractButton> W* control(QWidget& dlg, const QString& name)
{
    W* w = dlg.findChild<W*>(name);
    if (!w)
        qFatal("no control %s", qPrintable(name));
    return w;
}

// On the indicator, which every caption length leaves inside the control.
void click(QWidget& dlg, const QString& name)
{
    QAbstractButton* b = control(dlg, name);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

QString checkedIn(QWidget& dlg, const QString& frame)
{
    QString names;
    for (auto* r : control<QGroupBox>(dlg, frame)->findChildren<QRadioButton*>()) {
        if (r->isChecked())
            names += r->objectName();
    }
    return names;
}

void showActive(QDialog& dlg)
{
    dlg.show();
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
}

// An access key clicks its button with a short animation: wait until it is released.
void pressAccessKey(QDialog& dlg, Qt::Key key)
{
    QAbstractButton* target = nullptr;
    for (auto* b : dlg.findChildren<QAbstractButton*>()) {
        if (QKeySequence::mnemonic(b->text()) == QKeySequence(Qt::ALT | key))
            target = b;
    }
    QVERIFY2(target, "no control has this access key");
    QTest::keyClick(&dlg, key, Qt::AltModifier);
    QVERIFY(target->isDown());
    QTRY_VERIFY(!target->isDown());
}

} // namespace

class TestOptions : public QObject
{
    Q_OBJECT
private slots:
    // Whatever is in force, the dialog offers one player, Unbeatable and sound.
    void opensWithTheSameChoices_data()
    {
        QTest::addColumn<bool>("onePlayer");
        QTest::addColumn<QString>("level");
        QTest::addColumn<bool>("soundOn");
        QTest::newRow("program start") << false << "" << false;
        QTest::newRow("after choosing Easy, two players, silent") << false << "Easy" << false;
        QTest::newRow("after confirming the defaults") << true << "Unbeatable" << true;
    }
    void opensWithTheSameChoices()
    {
        QFETCH(bool, onePlayer);
        QFETCH(QString, level);
        QFETCH(bool, soundOn);
        Fixture f;
        f.ctx.settings = {onePlayer, level, soundOn};
        frmOptions dlg(f.ctx, nullptr);
        dlg.show();
        QCOMPARE(checkedIn(dlg, "Frame1"), QStringLiteral("optPlayer1"));
        QCOMPARE(checkedIn(dlg, "Frame2"), QStringLiteral("optUnbeatable"));
        QCOMPARE(control<QCheckBox>(dlg, "chkSound")->checkState(), Qt::Checked);
        QCOMPARE(f.ctx.settings.Level, level);
    }

    void okAppliesEveryChoice_data()
    {
        QTest::addColumn<QString>("player");
        QTest::addColumn<QString>("level");
        QTest::addColumn<bool>("sound");
        for (const char* player : {"optPlayer1", "optPlayer2"}) {
            for (const char* level : {"Easy", "Moderate", "Hard", "Unbeatable"}) {
                for (bool sound : {true, false}) {
                    QTest::addRow("%s %s %s", player, level, sound ? "sound" : "silent")
                        << player << level << sound;
                }
            }
        }
    }
    void okAppliesEveryChoice()
    {
        QFETCH(QString, player);
        QFETCH(QString, level);
        QFETCH(bool, sound);
        Fixture f;
        f.ctx.settings = {player == "optPlayer2", "Moderate", !sound};
        frmOptions dlg(f.ctx, nullptr);
        dlg.show();
        // Go through another level first, so the final choice really is a change.
        click(dlg, level == "Easy" ? "optHard" : "optEasy");
        click(dlg, player);
        click(dlg, "opt" + level);
        if (!sound)
            click(dlg, "chkSound");
        click(dlg, "cmdOK");

        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(!dlg.isVisible());
        QCOMPARE(f.ctx.settings.OnePlayer, player == "optPlayer1");
        QCOMPARE(f.ctx.settings.Level, level);
        QCOMPARE(f.ctx.settings.SoundOn, sound);
        QVERIFY(f.sound.played.isEmpty());
    }

    void leavingWithoutOkChangesNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel button") << "cancel";
        QTest::newRow("Esc") << "esc";
        QTest::newRow("Alt+C") << "alt-c";
        QTest::newRow("window close button") << "close";
    }
    void leavingWithoutOkChangesNothing()
    {
        QFETCH(QString, how);
        Fixture f;
        const dz::Settings before{true, "Unbeatable", true};
        f.ctx.settings = before;
        frmOptions dlg(f.ctx, nullptr);
        showActive(dlg);
        click(dlg, "optPlayer2");
        click(dlg, "optEasy");
        click(dlg, "chkSound");

        if (how == "cancel")
            click(dlg, "cmdCancel");
        else if (how == "esc")
            QTest::keyClick(&dlg, Qt::Key_Escape);
        else if (how == "alt-c")
            pressAccessKey(dlg, Qt::Key_C);
        else
            QVERIFY(dlg.close());

        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(f.ctx.settings.OnePlayer, before.OnePlayer);
        QCOMPARE(f.ctx.settings.Level, before.Level);
        QCOMPARE(f.ctx.settings.SoundOn, before.SoundOn);
    }

    void accessKeys_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("players");
        QTest::addColumn<QString>("level");
        QTest::addColumn<bool>("sound");
        QTest::newRow("Alt+2") << QList<int>{Qt::Key_2} << "optPlayer2"
                               << "optUnbeatable" << true;
        QTest::newRow("Alt+2, Alt+1") << QList<int>{Qt::Key_2, Qt::Key_1} << "optPlayer1"
                                      << "optUnbeatable" << true;
        QTest::newRow("Alt+E") << QList<int>{Qt::Key_E} << "optPlayer1"
                               << "optEasy" << true;
        QTest::newRow("Alt+M") << QList<int>{Qt::Key_M} << "optPlayer1"
                               << "optModerate" << true;
        QTest::newRow("Alt+H") << QList<int>{Qt::Key_H} << "optPlayer1"
                               << "optHard" << true;
        QTest::newRow("Alt+H, Alt+U") << QList<int>{Qt::Key_H, Qt::Key_U} << "optPlayer1"
                                      << "optUnbeatable" << true;
        QTest::newRow("Alt+S") << QList<int>{Qt::Key_S} << "optPlayer1"
                               << "optUnbeatable" << false;
    }
    void accessKeys()
    {
        QFETCH(QList<int>, keys);
        QFETCH(QString, players);
        QFETCH(QString, level);
        QFETCH(bool, sound);
        Fixture f;
        frmOptions dlg(f.ctx, nullptr);
        showActive(dlg);
        for (int key : keys)
            pressAccessKey(dlg, Qt::Key(key));
        QCOMPARE(checkedIn(dlg, "Frame1"), players);
        QCOMPARE(checkedIn(dlg, "Frame2"), level);
        QCOMPARE(control<QCheckBox>(dlg, "chkSound")->isChecked(), sound);

        pressAccessKey(dlg, Qt::Key_O);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(f.ctx.settings.SoundOn, sound);
    }

    void tabOrder()
    {
        Fixture f;
        frmOptions dlg(f.ctx, nullptr);
        const QStringList expected{"Frame1",    "optPlayer1",    "optPlayer2", "cmdOK",
                                   "cmdCancel", "Frame2",        "optEasy",    "optModerate",
                                   "optHard",   "optUnbeatable", "Frame3",     "chkSound"};
        QStringList chain;
        for (QWidget* w = dlg.nextInFocusChain(); w != &dlg; w = w->nextInFocusChain()) {
            if (expected.contains(w->objectName()))
                chain << w->objectName();
        }
        QCOMPARE(chain, expected);

        // The frames take no focus: the keyboard starts on the first option.
        showActive(dlg);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("optPlayer1"));
    }

    void captions()
    {
        Fixture f;
        frmOptions dlg(f.ctx, nullptr);
        const QList<QPair<QString, QString>> captions{
            {"Frame1", "# of Players"},
            {"optPlayer1", "&1 Player"},
            {"optPlayer2", "&2 Player"},
            {"Frame2", "Difficulty Level"},
            {"optEasy", "&Easy"},
            {"optModerate", "&Moderate"},
            {"optHard", "&Hard"},
            {"optUnbeatable", "&Unbeatable"},
            {"Frame3", "Sounds"},
            {"chkSound", "Play &Sound Effects"},
            {"cmdOK", "&OK"},
            {"cmdCancel", "&Cancel"},
        };
        for (const auto& [name, caption] : captions) {
            if (auto* frame = dlg.findChild<QGroupBox*>(name))
                QCOMPARE(frame->title(), caption);
            else
                QCOMPARE(control(dlg, name)->text(), caption);
        }
    }

    void geometry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("Frame2") << "Frame2"
                                << "frmOptions" << QRect(192, 16, 97, 105);
        QTest::newRow("Frame3") << "Frame3"
                                << "frmOptions" << QRect(16, 80, 169, 41);
        QTest::newRow("optPlayer2") << "optPlayer2"
                                    << "Frame1" << QRect(88, 24, 65, 17);
        QTest::newRow("optUnbeatable") << "optUnbeatable"
                                       << "Frame2" << QRect(8, 72, 81, 17);
        QTest::newRow("chkSound") << "chkSound"
                                  << "Frame3" << QRect(16, 16, 137, 17);
        QTest::newRow("cmdCancel") << "cmdCancel"
                                   << "frmOptions" << QRect(216, 136, 73, 25);
    }
    void geometry()
    {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QRect, rect);
        Fixture f;
        frmOptions dlg(f.ctx, nullptr);
        dlg.show();
        QWidget* w = dlg.findChild<QWidget*>(name);
        QVERIFY(w);
        QCOMPARE(w->parentWidget()->objectName(), parent);
        QCOMPARE(w->geometry(), rect);
    }

    void captionsFitTheirControls()
    {
        Fixture f;
        frmOptions dlg(f.ctx, nullptr);
        dlg.show();
        for (auto* b : dlg.findChildren<QAbstractButton*>()) {
            if (qobject_cast<QPushButton*>(b))
                continue;
            QStyleOptionButton option;
            option.initFrom(b);
            option.text = b->text();
            const bool radio = qobject_cast<QRadioButton*>(b);
            const QRect label = b->style()->subElementRect(
                radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, b);
            const QString text = QString(b->text()).remove(u'&');
            QVERIFY2(b->fontMetrics().horizontalAdvance(text) <= label.width(),
                     qPrintable(b->objectName()));
        }
        for (auto* frame : dlg.findChildren<QGroupBox*>()) {
            QVERIFY2(frame->fontMetrics().horizontalAdvance(frame->title()) < frame->width() - 8,
                     qPrintable(frame->objectName()));
        }
    }

    void window()
    {
        Fixture f;
        QWidget owner;
        frmOptions dlg(f.ctx, &owner);
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Options"));
        QVERIFY(!dlg.windowIcon().isNull());
        QVERIFY(dlg.isWindow());
        QCOMPARE(dlg.size(), QSize(308, 173));
        QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
    }
};

QTEST_MAIN(TestOptions)
#include "test_options.moc"
