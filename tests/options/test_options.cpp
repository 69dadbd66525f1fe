#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>

#include "options/frmOptions.h"

Q_DECLARE_METATYPE(dz::Settings)

static void row(const char* name, dz::Settings before, QStringList clicks, dz::Settings after)
{
    QTest::newRow(name) << before << clicks << after;
}

class TestOptions : public QObject
{
    Q_OBJECT
private slots:
    // Whatever is in force, the dialog opens on one player, Unbeatable and sound; only OK
    // writes the settings.
    void choose_data()
    {
        QTest::addColumn<dz::Settings>("before");
        QTest::addColumn<QStringList>("clicks"); // control names, "Esc" or "close"
        QTest::addColumn<dz::Settings>("after");
        // Each row starts from settings unlike every choice it makes, so an unwritten one shows.
        const dz::Settings start;
        row("defaults on opening", {false, "Easy", false}, {"cmdOK"}, {true, "Unbeatable", true});
        row("two players, Easy, silent", {true, "Hard", true},
            {"optPlayer2", "optEasy", "chkSound", "cmdOK"}, {false, "Easy", false});
        row("Moderate", start, {"optModerate", "cmdOK"}, {true, "Moderate", true});
        row("Hard", start, {"optHard", "cmdOK"}, {true, "Hard", true});
        for (const char* leave : {"cmdCancel", "Esc", "close"})
            row(leave, start, {"optEasy", leave}, start);
    }
    void choose()
    {
        QFETCH(dz::Settings, before);
        QFETCH(QStringList, clicks);
        QFETCH(dz::Settings, after);
        dz::Context ctx;
        ctx.settings = before;
        dz::frmOptions dlg(ctx, nullptr);
        dlg.show();
        for (const QString& name : clicks) {
            if (name == "Esc")
                QTest::keyClick(&dlg, Qt::Key_Escape);
            else if (name == "close")
                QVERIFY(dlg.close());
            else // on the indicator, which every caption length leaves inside the control
                QTest::mouseClick(dlg.findChild<QWidget*>(name), Qt::LeftButton, {}, {6, 8});
        }
        QVERIFY(!dlg.isVisible()); // a dialog left open also reads as rejected
        QCOMPARE(dlg.result() == QDialog::Accepted, clicks.last() == "cmdOK");
        const auto fields = [](auto s) { return QVariantList{s.OnePlayer, s.Level, s.SoundOn}; };
        QCOMPARE(fields(ctx.settings), fields(after));
    }

    // The keyboard walks players, buttons, levels, sound; in the dialog's own face no
    // caption is clipped by its control or frame.
    void tabOrderAndCaptions()
    {
        dz::Context ctx;
        dz::frmOptions dlg(ctx, nullptr);
        dlg.show();
        QStringList chain;
        for (QWidget* w = dlg.nextInFocusChain(); w != &dlg; w = w->nextInFocusChain())
            chain << w->objectName();
        QCOMPARE(chain.join(' '), "Frame1 optPlayer1 optPlayer2 cmdOK cmdCancel Frame2 optEasy "
                                  "optModerate optHard optUnbeatable Frame3 chkSound");
        for (auto* b : dlg.findChildren<QAbstractButton*>()) {
            QStyleOptionButton option;
            option.initFrom(b);
            const auto label = qobject_cast<QRadioButton*>(b) ? QStyle::SE_RadioButtonContents
                               : qobject_cast<QCheckBox*>(b)  ? QStyle::SE_CheckBoxContents
                                                              : QStyle::SE_PushButtonContents;
            QVERIFY2(b->fontMetrics().horizontalAdvance(QString(b->text()).remove(u'&')) <=
                         b->style()->subElementRect(label, &option, b).width(),
                     qPrintable(b->objectName()));
        }
        for (auto* frame : dlg.findChildren<QGroupBox*>())
            QVERIFY2(frame->fontMetrics().horizontalAdvance(frame->title()) < frame->width() - 8,
                     qPrintable(frame->objectName()));
    }
};

QTEST_MAIN(TestOptions)
#include "test_options.moc"
