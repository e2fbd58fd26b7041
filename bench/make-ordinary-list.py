#!/usr/bin/env python3
"""Writes a big list as tab-separated text for `corvina-tool import`: ordinary titles of two to six
words from a 90-word vocabulary, three levels deep (a top-level item every 50, a level-1 item every
10), notes on one item in ten, as the list benchmarks build theirs.

    make-ordinary-list.py COUNT OUT.txt
"""
import random
import sys

VOCABULARY = """
milk bread eggs butter cheese apples pears bananas oranges lemons tomatoes potatoes onions garlic
carrots rice pasta flour sugar salt pepper coffee tea juice water soap shampoo towels tent pegs rope
stove gas matches torch batteries map compass boots socks jacket gloves hat sunscreen plasters
call plumber about kitchen tap buy stamps post letters pay rent check seals garden hedge paint
fence fix bike pump tyres clean windows wash car book dentist renew passport for the weekend two
packs of fresh new old big small red green blue spare extra
""".split()

TOP_LEVEL_EVERY = 50
LEVEL_ONE_EVERY = 10
NOTES_EVERY = 10


def main() -> None:
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    count, out_path = int(sys.argv[1]), sys.argv[2]
    assert len(VOCABULARY) == 90, len(VOCABULARY)
    rng = random.Random(16)
    with open(out_path, "w", encoding="utf-8", newline="\n") as out:
        for i in range(count):
            depth = 0 if i % TOP_LEVEL_EVERY == 0 else 1 if i % LEVEL_ONE_EVERY == 0 else 2
            title = " ".join(rng.choice(VOCABULARY) for _ in range(rng.randint(2, 6))).capitalize()
            notes = "Ask for the fresh one" if i % NOTES_EVERY == 0 else ""
            out.write(f"{depth}\t{title}\t{i % 3}\t{int(i % 3 == 0)}\t{notes}\t{i % 7 + 1}\n")


if __name__ == "__main__":
    main()
