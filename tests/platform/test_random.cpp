#include <QTest>

#include <array>
#include <cstdint>

#include "platform/random.h"

namespace
{

constexpr int Bins = 4;

int bin(double r)
{
    return static_cast<int>(r * Bins);
}

// Pairs of first fractions after two reseeds in immediate succession, binned 4 x 4:
// independent draws fill the 16 cells evenly; a replayed sequence fills the diagonal.
double pairChiSquare(dz::ClockRandom& random, int pairs)
{
    std::array<int, Bins * Bins> counts{};
    for (int i = 0; i < pairs; ++i) {
        random.Randomize();
        const int a = bin(random.Rnd());
        random.Randomize();
        const int b = bin(random.Rnd());
        ++counts[static_cast<size_t>(a * Bins + b)];
    }
    const double expected = pairs / double(Bins * Bins);
    double sum = 0;
    for (int c : counts)
        sum += (c - expected) * (c - expected) / expected;
    return sum;
}

// df 15: the 0.1% point is 37.7; 65 leaves a wide margin against flaky failures.
constexpr double Critical = 65;

} // namespace

class TestRandom : public QObject
{
    Q_OBJECT
private slots:
    void fractionsStayInUnitInterval()
    {
        dz::ClockRandom random([] { return std::uint64_t{42}; });
        double lowest = 1, highest = 0;
        for (int i = 0; i < 100000; ++i) {
            const double r = random.Rnd();
            QVERIFY(r >= 0 && r < 1);
            lowest = std::min(lowest, r);
            highest = std::max(highest, r);
        }
        QVERIFY(lowest < 0.001);
        QVERIFY(highest > 0.999);
    }

    void backToBackReseedsAreIndependent()
    {
        dz::ClockRandom random;
        const double chi = pairChiSquare(random, 16000);
        QVERIFY2(chi < Critical, qPrintable(QString::number(chi)));
    }

    // A coarse clock reads the same value for many reseeds in a row; the draws after
    // them must still differ.
    void reseedsWithAStoppedClockAreIndependent()
    {
        dz::ClockRandom random([] { return std::uint64_t{1234567}; });
        const double chi = pairChiSquare(random, 16000);
        QVERIFY2(chi < Critical, qPrintable(QString::number(chi)));

        random.Randomize();
        const double first = random.Rnd();
        random.Randomize();
        QVERIFY(random.Rnd() != first);
    }
};

QTEST_APPLESS_MAIN(TestRandom)
#include "test_random.moc"
