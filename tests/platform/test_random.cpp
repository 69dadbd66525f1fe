#include <QTest>

#include <array>
#include <cstdint>

#include "platform/random.h"

class TestRandom : public QObject
{
    Q_OBJECT
private slots:
    // A coarse clock reads the same value for many reseeds in a row: the reseed counter
    // must still tell them apart.
    void backToBackReseedsAreIndependent_data()
    {
        QTest::addColumn<bool>("stoppedClock");
        QTest::newRow("system clock") << false;
        QTest::newRow("stopped clock") << true;
    }
    // Pairs of first fractions after two reseeds in immediate succession, binned 4 x 4:
    // independent draws fill the 16 cells evenly; a replayed sequence fills the diagonal.
    void backToBackReseedsAreIndependent()
    {
        QFETCH(bool, stoppedClock);
        dz::ClockRandom random =
            stoppedClock ? dz::ClockRandom([] { return std::uint64_t{42}; }) : dz::ClockRandom();
        const auto firstBinAfterReseed = [&] {
            random.Randomize();
            return static_cast<size_t>(random.Rnd() * 4);
        };
        constexpr int pairs = 16000;
        std::array<int, 16> counts{};
        for (int i = 0; i < pairs; ++i) {
            const size_t first = firstBinAfterReseed();
            ++counts.at(first * 4 + firstBinAfterReseed());
        }
        double chi = 0;
        for (int c : counts)
            chi += (c - pairs / 16.0) * (c - pairs / 16.0) / (pairs / 16.0);
        // df 15: the 0.1% point is 37.7; 65 leaves a wide margin against flaky failures.
        QVERIFY2(chi < 65, qPrintable(QString::number(chi)));
    }
};

QTEST_APPLESS_MAIN(TestRandom)
#include "test_random.moc"
