#!/usr/bin/env python3
"""Writes the dialogue inputs of the golden corpus: worked examples, uniform chains and random
chains soft enough (K/m up to about 1e3) for a plain march to finish quickly. The recorded
outputs next to them were printed by the program before its frequency search was made fast, and
every later build must print them byte for byte.

    python3 tests/golden/make_corpus.py tests/golden
"""
import random
import sys


def dialogue(masses, springs):
    lines = [str(len(masses)), " ".join(repr(m) for m in masses),
             " ".join(repr(k) for k in springs), "0", "n"]
    lines += ["0 0"] * len(masses)
    return "\n".join(lines) + "\n"


def corpus():
    chains = [
        ([1.0], [1.0, 1.0]),
        ([1.0, 1.0], [1.0, 1.0, 1.0]),
        ([1.0, 1.0, 1.0], [100.0] * 4),
        ([1.0, 2.0], [10.0, 20.0, 30.0]),
        ([1.0] * 5, [0.3] * 6),
        ([1.0] * 20, [1.0] * 21),
        ([1.0] * 20, [0.4] * 21),
    ]
    for n in (1, 2, 3, 5, 8, 13, 20):
        for ratio in (0.01, 1.0, 30.0, 1000.0):
            mass = 0.5 if n % 2 else 2.0
            chains.append(([mass] * n, [round(ratio * mass, 6)] * (n + 1)))
    rng = random.Random(20261207)
    for _ in range(30):
        n = rng.randint(1, 20)
        masses = [round(10 ** rng.uniform(-1, 1), 4) for _ in range(n)]
        lightest = min(masses)
        springs = []
        for _ in range(n + 1):
            if rng.random() < 0.1:
                springs.append(0.0)
            else:
                springs.append(round(lightest * 10 ** rng.uniform(-2, 2.6), 4))
        chains.append((masses, springs))
    return chains


def main():
    folder = sys.argv[1]
    for i, (masses, springs) in enumerate(corpus()):
        with open(f"{folder}/chain_{i:02d}.in", "w") as f:
            f.write(dialogue(masses, springs))


main()
