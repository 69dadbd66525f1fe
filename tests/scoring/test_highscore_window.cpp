#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "play/show_window.h"
#include "scoring/frmHighScore.h"
#include "scoring/highscore_window.h"
#include "support/fakes.h"

using dz::frmHighScore;

namespace
{

QList<frmHighScore*> listWindows()
{
    QList<frmHighScore*> found;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* list = qobject_cast<frmHighScore*>(w))
            found.append(list);
    }
    return found;
}

QLabel* label(QWidget* w, const QString& name)
{
    auto* l = w->findChild<QLabel*>(name);
    if (!l)
        qFatal("no label %s", qPrintable(name));
    return l;
}

// Names then scores, place 1 first.
QStringList shownTexts(frmHighScore* w)
{
    QStringList texts;
    for (const char* kind : {"lblName_", "lblScore_"}) {
        for (int place = 1; place <= 5; ++place)
            texts << label(w, kind + QString::number(place))->text();
    }
    return texts;
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray get(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QByteArray Stored("Ann\r\n10\r\nBob\r\n5.5\r\nCy\r\n3\r\nDi\r\n-2\r\nEd\r\n-2.5\r\n");

} // namespace

class TestHighScoreWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;
    dz::test::ScriptedDialogs dialogs_;
    dz::test::RecordingSound sound_;
    dz::Context ctx_;

private slots:
    void init()
    {
        QDir(dir_.path()).removeRecursively();
        QDir().mkpath(dir_.path());
        dialogs_ = dz::test::ScriptedDialogs{};
        ctx_ = {};
        ctx_.dialogs = &dialogs_;
        ctx_.sound = &sound_;
        ctx_.filesFolder = dir_.path();
    }
    void cleanup() { qDeleteAll(listWindows()); }

    void menuView_data()
    {
        QTest::addColumn<bool>("hasFile");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("stored list")
            << true << QStringList{"Ann", "Bob", "Cy", "Di", "Ed", "10", "5.5", "3", "-2", "-2.5"};
        QTest::newRow("no file: five empty names and five zeros")
            << false << QStringList{"", "", "", "", "", "0", "0", "0", "0", "0"};
    }
    void menuView()
    {
        QFETCH(bool, hasFile);
        QFETCH(QStringList, texts);
        if (hasFile)
            put(dir_.filePath("HighScore.dat"), Stored);

        dz::ShowStoredHighScores(ctx_);

        QCOMPARE(listWindows().size(), 1);
        frmHighScore* w = listWindows().first();
        QVERIFY(w->isVisible());
        QVERIFY(!w->isModal());
        QCOMPARE(shownTexts(w), texts);
        // The view only reads: the folder stays exactly as it was.
        const QStringList entries =
            QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        QCOMPARE(entries, hasFile ? QStringList{"HighScore.dat"} : QStringList{});
        if (hasFile)
            QCOMPARE(get(dir_.filePath("HighScore.dat")), Stored);
        QVERIFY(dialogs_.shown.isEmpty());
    }

    void looks()
    {
        put(dir_.filePath("HighScore.dat"), Stored);
        dz::ShowStoredHighScores(ctx_);
        frmHighScore* w = listWindows().first();

        QCOMPARE(w->windowTitle(), QString("Tarn's DirIziVur"));
        QVERIFY(!w->windowIcon().isNull());
        QVERIFY(w->isWindow());
        QCOMPARE(w->size(), QSize(291, 225));
        QCOMPARE(w->minimumSize(), w->maximumSize());

        QLabel* heading = label(w, "Label1");
        QCOMPARE(heading->text(), QString("Highscores"));
        QCOMPARE(heading->geometry(), QRect(8, 8, 273, 33));
        QVERIFY(heading->alignment() & Qt::AlignHCenter);
        QCOMPARE(heading->font().pointSizeF(), 20.25);
        QVERIFY(heading->font().bold());
        QCOMPARE(heading->palette().color(QPalette::WindowText), QColor(128, 0, 0));

        const QColor defaultText = QLabel().palette().color(QPalette::WindowText);
        const int tops[] = {48, 72, 96, 120, 144};
        for (int place = 1; place <= 5; ++place) {
            for (auto [kind, left] : {std::pair{"lblName_", 24}, std::pair{"lblScore_", 256}}) {
                QLabel* l = label(w, kind + QString::number(place));
                QCOMPARE(l->pos(), QPoint(left, tops[place - 1]));
                QCOMPARE(l->size(), l->sizeHint()); // sized to its text
                QCOMPARE(l->font().pointSizeF(), 9.75);
                QVERIFY(l->font().bold());
                QCOMPARE(l->palette().color(QPalette::WindowText),
                         place == 1 ? QColor(255, 0, 0) : defaultText);
            }
        }

        auto* ok = w->findChild<QPushButton*>("cmdOK");
        QVERIFY(ok);
        QCOMPARE(ok->text(), QString("&OK"));
        QCOMPARE(ok->geometry(), QRect(104, 192, 65, 25));
    }

    void updateAsksStoresAndShows()
    {
        put(dir_.filePath("HighScore.dat"), Stored);
        dialogs_.typeNext("Zoe");

        dz::UpdateHighScores(ctx_, "5.5");

        QCOMPARE(dialogs_.shown.size(), 1);
        QCOMPARE(dialogs_.shown[0].title, QString("I need your name"));
        QCOMPARE(listWindows().size(), 1);
        QCOMPARE(shownTexts(listWindows().first()),
                 (QStringList{"Ann", "Zoe", "Bob", "Cy", "Di", "10", "5.5", "5.5", "3", "-2"}));
        QCOMPARE(get(dir_.filePath("HighScore.dat")),
                 QByteArray("Ann\r\n10\r\nZoe\r\n5.5\r\nBob\r\n5.5\r\nCy\r\n3\r\nDi\r\n-2\r\n"));
    }

    // A second showing refills the open window instead of opening another one.
    void atMostOneListWindow()
    {
        dz::ShowStoredHighScores(ctx_);
        frmHighScore* first = listWindows().first();
        dz::ShowStoredHighScores(ctx_);
        dialogs_.typeNext("Zoe");
        dz::UpdateHighScores(ctx_, "1");

        QCOMPARE(listWindows(), QList<frmHighScore*>{first});
        QCOMPARE(label(first, "lblName_1")->text(), QString("Zoe"));
        QCOMPARE(label(first, "lblScore_1")->text(), QString("1"));
    }

    void okClosesAndTheNextShowingIsFresh()
    {
        dz::ShowStoredHighScores(ctx_);
        QPointer<frmHighScore> w = listWindows().first();
        QTest::mouseClick(w->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        QTRY_VERIFY(w.isNull());
        QVERIFY(listWindows().isEmpty());

        put(dir_.filePath("HighScore.dat"), Stored);
        dz::ShowStoredHighScores(ctx_);
        QCOMPARE(listWindows().size(), 1);
        QCOMPARE(label(listWindows().first(), "lblName_1")->text(), QString("Ann"));
    }
};

QTEST_MAIN(TestHighScoreWindow)
#include "test_highscore_window.moc"
