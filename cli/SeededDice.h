#pragma once

#include <QtGlobal>
#include <initializer_list>
#include <random>
#include <vector>

namespace kestrune::cli {

// The generator's only source of chance. Built on std::mt19937_64, whose
// output the standard fixes, and on arithmetic of its own instead of the
// standard distributions, whose results differ between libraries: one seed
// gives the same records on every platform.
class SeededDice {
public:
    explicit SeededDice(quint64 seed) : engine_(seed) {}

    // A whole number from low to high, both included; low when high < low.
    qint64 between(qint64 low, qint64 high) {
        if (high <= low)
            return low;
        // The modulo bias is below 1e-12 for the spans used here.
        return low + qint64(engine_() % quint64(high - low + 1));
    }

    // Evenly spread in [0, 1).
    double fraction() { return double(engine_() >> 11) * 0x1.0p-53; }

    double real(double low, double high) { return low + (high - low) * fraction(); }

    bool chance(double probability) { return fraction() < probability; }

    // An index chosen in proportion to the weights.
    int weighted(std::initializer_list<int> weights) {
        return weighted(weights.begin(), int(weights.size()));
    }
    int weighted(const std::vector<int>& weights) {
        return weighted(weights.data(), int(weights.size()));
    }

    template <class T> const T& pick(const std::vector<T>& items) {
        return items[size_t(between(qint64(0), qint64(items.size()) - 1))];
    }

private:
    int weighted(const int* weights, int count) {
        qint64 total = 0;
        for (int i = 0; i < count; ++i)
            total += weights[i];
        qint64 roll = between(qint64(0), total - 1);
        for (int i = 0; i < count; ++i) {
            if (roll < weights[i])
                return i;
            roll -= weights[i];
        }
        return count - 1;
    }

    std::mt19937_64 engine_;
};

} // namespace kestrune::cli
