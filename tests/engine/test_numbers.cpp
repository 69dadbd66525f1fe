#include <QLocale>
#include <QTest>

#include "engine/numbers.h"

class TestNumbers : public QObject
{
    Q_OBJECT
private slots:
    void format_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("half") << 0.5 << "0.5";
        QTest::newRow("minus half") << -0.5 << "-0.5";
        QTest::newRow("hundred and two and a half") << 102.5 << "102.5";
        QTest::newRow("big whole number has no exponent") << 123456789012.0 << "123456789012";
        // Written to the high-score file and read back: an exponent would not survive.
        QTest::newRow("huge number has no exponent") << 1e21 << "1000000000000000000000";
        QTest::newRow("tiny fraction has no exponent") << 1e-7 << "0.0000001";
        QTest::newRow("seventeen digits read back exactly") << 0.1 + 0.2 << "0.30000000000000004";
    }
    void format()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(dz::NumberText(value), text);
    }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("whole");
        QTest::newRow("half") << "0.5" << 0.5 << true;
        QTest::newRow("leading blanks") << "  7" << 7.0 << true;
        QTest::newRow("leading zeros") << "007.5" << 7.5 << true;
        QTest::newRow("empty") << "" << 0.0 << false;
        QTest::newRow("garbage") << "abc" << 0.0 << false;
        QTest::newRow("number then garbage") << "12abc" << 12.0 << false;
        QTest::newRow("comma is not a decimal point") << "0,5" << 0.0 << false;
        QTest::newRow("overflow reads as zero") << QString(400, u'9') << 0.0 << true;
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(bool, whole);
        QCOMPARE(dz::TextNumber(text), value);
        QCOMPARE(dz::IsNumberText(text), whole);
    }

    void germanLocaleKeepsThePoint()
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(dz::NumberText(0.5), QStringLiteral("0.5"));
        QCOMPARE(dz::TextNumber(QStringLiteral("5.5")), 5.5);
        QLocale::setDefault(saved);
    }

    void roundHalfEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("rounded");
        QTest::newRow("1.5 up to even") << 1.5 << 2;
        QTest::newRow("2.5 down to even") << 2.5 << 2;
        QTest::newRow("8.5 down to even") << 8.5 << 8;
        QTest::newRow("negative half") << -0.5 << 0;
    }
    void roundHalfEven()
    {
        QFETCH(double, value);
        QFETCH(int, rounded);
        QCOMPARE(dz::RoundHalfEven(value), rounded);
    }
};

QTEST_APPLESS_MAIN(TestNumbers)
#include "test_numbers.moc"
