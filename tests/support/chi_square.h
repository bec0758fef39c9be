// Tail probabilities for the statistical tests of the generators: chi-square and normal.
#pragma once

#include <cstdint>
#include <span>

// Q(a, x) = Γ(a, x) / Γ(a), the regularised upper incomplete gamma function, to about 1e-13
// relative. Needs a > 0 and x >= 0; throws std::domain_error otherwise or when it fails to
// converge, so a bad argument can never pass for a large p-value.
double upperIncompleteGamma(double a, double x);

// P(X >= statistic) for X chi-square distributed with degreesOfFreedom (>= 1) degrees.
double chiSquareUpperTail(double statistic, std::int64_t degreesOfFreedom);

// Pearson's statistic of the counts against equal expectations, total / cells each.
// Needs at least two cells and a positive total.
double uniformChiSquare(std::span<const std::int64_t> counts);

// The p-value of the counts under a uniform distribution over their cells (cells - 1 degrees).
double uniformFitPValue(std::span<const std::int64_t> counts);

// Two-sided p-value of hits successes in trials draws of probability p, by the normal
// approximation to the binomial: P(|Z| >= |z|) with z = (hits - trials p) / sqrt(trials p (1-p)).
// Needs trials > 0 and 0 < p < 1.
double binomialTwoSidedPValue(std::int64_t hits, std::int64_t trials, double p);
