// Regularised incomplete gamma by its series and its continued fraction, and what rests on it.
#include "chi_square.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

constexpr double epsilon = 1e-15;
constexpr int maxIterations = 1'000'000;  // both expansions need O(sqrt(a)) terms near x = a

// exp(-x) x^a / Γ(a), the factor both expansions share, computed in logarithms.
double gammaPrefactor(double a, double x) { return std::exp(a * std::log(x) - x - std::lgamma(a)); }

// P(a, x) by its power series; converges quickly for x < a + 1.
double lowerBySeries(double a, double x) {
    double term = 1.0 / a;
    double sum = term;
    for (int n = 1; n < maxIterations; ++n) {
        term *= x / (a + n);
        sum += term;
        if (std::fabs(term) < std::fabs(sum) * epsilon) {
            return sum * gammaPrefactor(a, x);
        }
    }
    throw std::domain_error("incomplete gamma series did not converge");
}

// Q(a, x) by its continued fraction (modified Lentz); converges quickly for x >= a + 1.
double upperByContinuedFraction(double a, double x) {
    constexpr double tiny = std::numeric_limits<double>::min() / epsilon;
    double b = x + 1.0 - a;
    double c = 1.0 / tiny;
    double d = 1.0 / b;
    double h = d;
    for (int i = 1; i < maxIterations; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < tiny) {
            d = tiny;
        }
        c = b + an / c;
        if (std::fabs(c) < tiny) {
            c = tiny;
        }
        d = 1.0 / d;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1.0) < epsilon) {
            return h * gammaPrefactor(a, x);
        }
    }
    throw std::domain_error("incomplete gamma continued fraction did not converge");
}

}  // namespace

double upperIncompleteGamma(double a, double x) {
    if (!(a > 0.0) || !(x >= 0.0) || !std::isfinite(a) || !std::isfinite(x)) {
        throw std::domain_error("upperIncompleteGamma needs a > 0 and x >= 0");
    }
    if (x == 0.0) {
        return 1.0;
    }
    return x < a + 1.0 ? 1.0 - lowerBySeries(a, x) : upperByContinuedFraction(a, x);
}

double chiSquareUpperTail(double statistic, std::int64_t degreesOfFreedom) {
    if (degreesOfFreedom < 1) {
        throw std::domain_error("chi-square needs at least one degree of freedom");
    }
    return upperIncompleteGamma(static_cast<double>(degreesOfFreedom) / 2.0, statistic / 2.0);
}

double uniformChiSquare(std::span<const std::int64_t> counts) {
    std::int64_t total = 0;
    for (const std::int64_t count : counts) {
        total += count;
    }
    if (counts.size() < 2 || total <= 0) {
        throw std::domain_error("uniformChiSquare needs two cells and a positive total");
    }
    const double expected = static_cast<double>(total) / static_cast<double>(counts.size());
    double statistic = 0.0;
    for (const std::int64_t count : counts) {
        const double deviation = static_cast<double>(count) - expected;
        statistic += deviation * deviation / expected;
    }
    return statistic;
}

double uniformFitPValue(std::span<const std::int64_t> counts) {
    return chiSquareUpperTail(uniformChiSquare(counts),
                              static_cast<std::int64_t>(counts.size()) - 1);
}

double binomialTwoSidedPValue(std::int64_t hits, std::int64_t trials, double p) {
    if (trials <= 0 || !(p > 0.0) || !(p < 1.0)) {
        throw std::domain_error("binomialTwoSidedPValue needs trials > 0 and 0 < p < 1");
    }
    const double n = static_cast<double>(trials);
    const double z = (static_cast<double>(hits) - n * p) / std::sqrt(n * p * (1.0 - p));
    return std::erfc(std::fabs(z) / std::sqrt(2.0));
}
