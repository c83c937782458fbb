#!/usr/bin/python3
"""Coefficients of the first estimate of the Mollweide auxiliary angle.

theta solves 2 theta + sin 2 theta = pi a for a = |sin phi|. Three pieces,
each a Chebyshev interpolant at the Chebyshev points, written as monomials:
  a <= 0.5:         theta = a * P(a^2 - 0.125)
  0.5 < a <= 0.85:  theta = pi/2 - t * Q(t^2 - 0.45),  t = cbrt(1 - a)
  a > 0.85:         theta = pi/2 - t * R(t^2)
With w = pi - 2 theta the equation reads w - sin w = pi t^3, so w / t is a
smooth function of t^2 down to the pole. Prints the C++ tables and the
largest error of each piece evaluated in doubles on a grid.
"""
from decimal import Decimal as D, getcontext

getcontext().prec = 50
ONE, TWO = D(1), D(2)
PI = D("3.14159265358979323846264338327950288419716939937510582097494")
EPS = D(10) ** -45


def sin(x):
    term, total, k, x2 = x, x, 1, x * x
    while abs(term) > EPS:
        term = -term * x2 / ((2 * k) * (2 * k + 1))
        total += term
        k += 1
    return total


def cos(x):
    term, total, k, x2 = ONE, ONE, 1, x * x
    while abs(term) > EPS:
        term = -term * x2 / ((2 * k - 1) * (2 * k))
        total += term
        k += 1
    return total


def w_minus_sin(w):  # w - sin w without cancellation
    term, total, k, w2 = w * w * w / 6, D(0), 1, w * w
    while abs(term) > EPS * abs(w):
        total += term
        term = -term * w2 / ((2 * k + 2) * (2 * k + 3))
        k += 1
    return total


def cbrt(v):
    if v == 0:
        return D(0)
    r = D(float(v) ** (1.0 / 3))
    for _ in range(8):
        r = r - (r * r * r - v) / (3 * r * r)
    return r


def w_of_t(t):
    """Root w in (0, pi] of w - sin w = pi t^3."""
    m = PI * t * t * t
    w = min(cbrt(6 * m), PI)
    for _ in range(100):
        step = (w_minus_sin(w) - m) / (2 * sin(w / 2) ** 2)
        w -= step
        if abs(step) < EPS:
            break
    return w


def theta_of_a(a):
    """Root theta in [0, pi/2] of 2 theta + sin 2 theta = pi a, for a <= 0.5."""
    target, u = PI * a, PI * a / 2
    for _ in range(100):
        step = (u + sin(u) - target) / (1 + cos(u))
        u -= step
        if abs(step) < EPS:
            break
    return u / 2


def interpolant(f, lo, hi, degree, centre):
    """Monomial coefficients in (x - centre) of the interpolant of f at the
    Chebyshev points of [lo, hi]."""
    n = degree + 1
    nodes = [cos(PI * (2 * k + 1) / (2 * n)) for k in range(n)]
    values = [f((lo + hi) / 2 + (hi - lo) / 2 * y) for y in nodes]
    cheb = [TWO / n * sum(v * cos(PI * j * (2 * k + 1) / (2 * n)) for k, v in enumerate(values))
            for j in range(n)]
    cheb[0] /= 2
    # T_j(y) as polynomials in y, then y = alpha (x - centre) + beta.
    T = [[ONE], [D(0), ONE]]
    for j in range(2, n):
        prev, prev2 = T[j - 1], T[j - 2]
        T.append([(2 * prev[i - 1] if i > 0 else D(0)) - (prev2[i] if i < len(prev2) else D(0))
                  for i in range(j + 1)])
    in_y = [sum(cheb[j] * T[j][i] for j in range(i, n) if i < len(T[j])) for i in range(n)]
    alpha = 2 / (hi - lo)
    beta = (2 * centre - lo - hi) / (hi - lo)
    coeffs = [D(0)] * n
    for i, c in enumerate(in_y):
        binom = ONE
        for k in range(i + 1):
            coeffs[k] += c * binom * alpha ** k * (beta ** (i - k) if i > k else ONE)
            binom = binom * (i - k) / (k + 1)
    return [float(c) for c in coeffs]


def horner(c, x):
    r = c[-1]
    for v in reversed(c[:-1]):
        r = r * x + v
    return r


def main():
    a_low, a_mid = D("0.5"), D("0.85")
    z_mid = cbrt(ONE - a_mid) ** 2
    z_low = cbrt(ONE - a_low) ** 2
    pieces = [
        ("kStartNear0", interpolant(lambda z: theta_of_a(z.sqrt()) / z.sqrt(), D(0), a_low ** 2, 11, D("0.125"))),
        ("kStartMid", interpolant(lambda z: w_of_t(z.sqrt()) / z.sqrt() / 2, z_mid, z_low, 11, D("0.45"))),
        ("kStartNearPole", interpolant(lambda z: w_of_t(z.sqrt()) / z.sqrt() / 2, D(0), z_mid, 10, D(0))),
    ]
    for name, c in pieces:
        print(f"constexpr double {name}[] = {{")
        for v in c:
            print(f"    {v!r},")
        print("};")

    half_pi = float(PI / 2)
    worst = [0.0, 0.0, 0.0]
    for i in range(1, 600):
        a = i / 600
        if a <= 0.5:
            est, ref, piece = a * horner(pieces[0][1], a * a - 0.125), theta_of_a(D(a)), 0
        else:
            t = (1 - a) ** (1.0 / 3)
            c, x, piece = (pieces[1][1], t * t - 0.45, 1) if a <= 0.85 else (pieces[2][1], t * t, 2)
            est = half_pi - t * horner(c, x)
            ref = (PI - w_of_t(cbrt(ONE - D(a)))) / 2
        worst[piece] = max(worst[piece], abs(float(D(est) - ref)))
    print("// largest errors:", ", ".join(f"{e:.2g}" for e in worst))


main()
