#include <QLocale>
#include <QTest>

#include "engine/numbers.h"

class TestNumbers : public QObject
{
    Q_OBJECT
private slots:
    // Number text goes to the high-score file and is read back: an exponent would not survive.
    void format_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("minus half") << -0.5 << "-0.5";
        QTest::newRow("huge") << 1e21 << "1000000000000000000000";
        QTest::newRow("tiny") << 1e-7 << "0.0000001";
        QTest::newRow("seventeen digits") << 0.1 + 0.2 << "0.30000000000000004";
    }
    void format()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(dz::NumberText(value), text);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(dz::NumberText(value), text);
        QCOMPARE(dz::TextNumber(text), value);
        QLocale::setDefault(QLocale::c());
    }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("whole");
        QTest::newRow("leading blanks and zeros") << "  007.5" << 7.5 << true;
        QTest::newRow("empty") << "" << 0.0 << false;
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

    void roundHalfEven()
    {
        for (const auto& [value, rounded] : {std::pair{1.5, 2}, {2.5, 2}, {-0.5, 0}})
            QCOMPARE(dz::RoundHalfEven(value), rounded);
    }
};

QTEST_APPLESS_MAIN(TestNumbers)
#include "test_numbers.moc"
