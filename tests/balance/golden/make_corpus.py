#!/usr/bin/env python3
# Writes corpus.txt: equations for the balancer's golden test, one a line,
# species joined by " + " and the sides by " = ". Deterministic (fixed seed).
# Usage: make_corpus.py LIBRARY_FILE > corpus.txt
import random
import re
import sys

rng = random.Random(17)
ELEMENTS = ["H", "He", "C", "Ca", "Cl", "Co", "N", "Na", "O", "Os", "S", "Si", "Sn",
            "Fe", "K", "Mn", "Cu", "P", "Pb", "Mg", "B", "Br", "Ba"]


def species(depth=2):
    parts = []
    for _ in range(rng.randint(1, 4)):
        name = rng.choice(ELEMENTS)
        n = rng.choice(["", "", "2", "3", str(rng.randint(1, 12))])
        parts.append(name + n)
    text = "".join(parts)
    if depth > 0 and rng.random() < 0.3:
        text = rng.choice(["", text]) + "(" + species(depth - 1) + ")" + rng.choice(["", "2", "3", "4"])
    if rng.random() < 0.1:
        text += "*" + rng.choice(["", "2", "5", "7"]) + "H2O"
    if rng.random() < 0.2:
        q = rng.randint(1, 3)
        text += "[" + ("" if q == 1 else str(q)) + rng.choice("+-") + "]"
    return text


def weird():
    # Texts where the scanner's cutting rules, messages and errors matter.
    pool = ["CCaa", "CCa2Caa", "NaN", "h2", "Hh", "CCl4", "CH3COOH", "OOs", "H2O)2", "(H2O",
            "H123456", "HHHHHHHHHH2", "H2H2H2H2H2H2H2H2H2H2", "Fe[+3]", "Fe[]", "Fe[x+]",
            "Fe[10001-]", "Fe[2]", "Fe]", "H99999999999", "(H)99999999999", "H2*99999999999O",
            "CuSO4*5H2O", "Ca3(Fe(CN)6)2", "co", "[-]", "Ca(OH)2", "((H)2)3", "H(2)3",
            "N(Na)2N", "C*C*C", "Cl2*Cl", "H2.O", "H_2", "Mn(O4)))2", "Ab", "X", "H65536(H)65536"]
    return rng.choice(pool)


def equation():
    kind = rng.random()
    if kind < 0.55:
        r = [species() for _ in range(rng.randint(1, 4))]
        p = [species() for _ in range(rng.randint(1, 4))]
    elif kind < 0.75:
        r = [rng.choice([species(), weird()]) for _ in range(rng.randint(1, 3))]
        p = [rng.choice([species(), weird()]) for _ in range(rng.randint(1, 3))]
    elif kind < 0.9:
        # Large counts: near misses and coefficients around the search limit.
        a = rng.randint(2, 3000000)
        b = a + rng.randint(-3, 3) if rng.random() < 0.5 else rng.randint(2, 3000000)
        e = rng.choice(["H", "S", "C"])
        r = [e + str(a)]
        p = [e + str(b)]
        if rng.random() < 0.4:
            r.append("O" + str(rng.randint(2, 200000)))
            p = ["H2O" if e == "H" else e + "O2"]
    else:
        # A chain of species each sharing an element with the next.
        n = rng.randint(3, 14)
        names = rng.sample(ELEMENTS, min(n, len(ELEMENTS)))
        r, p = [], []
        for i in range(n - 1):
            s = names[i % len(names)] + str(rng.randint(1, 9)) + names[(i + 1) % len(names)] + str(rng.randint(1, 9))
            (r if i % 2 == 0 else p).append(s)
        (p if len(r) > len(p) else r).append(names[0] + str(rng.randint(1, 9)))
    return " + ".join(r[:14]) + " = " + " + ".join(p[:14])


def built():
    # Balanced by construction: the first reactant makes up the difference.
    pool = rng.sample(ELEMENTS, rng.randint(2, 5))
    while True:
        nr, np_ = rng.randint(1, 4), rng.randint(1, 4)
        comp = [{e: rng.choice([0, 0, 1, 2, 3, rng.randint(1, 9)]) for e in pool} for _ in range(nr + np_)]
        charge = [rng.choice([0, 0, 0, 1, -1, 2]) for _ in range(nr + np_)]
        c = [rng.randint(1, 12) for _ in range(nr + np_)]
        need = {}
        for e in pool + ["charge"]:
            total = 0
            for i in range(1, nr + np_):
                v = charge[i] if e == "charge" else comp[i][e]
                total += -c[i] * v if i >= nr else c[i] * v
            need[e] = -total
        if any(need[e] % c[0] for e in need) or any(need[e] < 0 for e in pool) or not any(need[e] for e in pool):
            continue
        comp[0] = {e: need[e] // c[0] for e in pool}
        charge[0] = need["charge"] // c[0]
        break
    def write(i):
        items = [(e, n) for e, n in comp[i].items() if n]
        rng.shuffle(items)
        text = "".join(e + ("" if n == 1 else str(n)) for e, n in items) or "[-]"
        q = charge[i]
        if q and text != "[-]":
            text += "[" + ("" if abs(q) == 1 else str(abs(q))) + ("+" if q > 0 else "-") + "]"
        elif text == "[-]" and q != -1:
            text = pool[0]
        return text
    return " + ".join(write(i) for i in range(nr)) + " = " + " + ".join(write(i) for i in range(nr, nr + np_))


def library(path):
    out = []
    for line in open(path, encoding="latin-1"):
        m = re.match(r"^#(.*)#\r?$", line.rstrip("\n"))
        if not m:
            continue
        sides = []
        for side in m.group(1).split(" = "):
            terms = re.split(r"\+(?![^\[]*\])", side)
            sides.append(" + ".join(re.sub(r"^\d+", "", t) for t in terms))
        out.append(" = ".join(sides))
    return out


print("# The delivered library's equations without coefficients, then generated ones.")
for line in library(sys.argv[1]):
    print(line)
for extra in ["H100003 + O100019 = H2O", "S1000000 = S1000001", "H100001 = H100003",
              "H99999 = H100000", "H2000001 = H2000000", "P308257845N9 = N4 + P6"]:
    print(extra)
for _ in range(3000):
    print(built() if rng.random() < 0.4 else equation())
