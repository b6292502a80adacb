#!/usr/bin/env python3
"""Proposes the glossary of the English words of API names from the hand-written pairs of
English and Chinese names in data/catalog, and measures it by leaving each pair out.

    propose_glossary.py data/catalog/*.txt                 prints the proposal
    propose_glossary.py --leave-one-out data/catalog/*.txt prints, each name left out in
                                                           turn, how many the glossary of the
                                                           others spells whole, and how many of
                                                           their Chinese words it glosses

A word's Chinese is the piece of the Chinese names (one to four characters) that goes with
it most often, by the Dice coefficient of the names that hold the word and those that hold
the piece; a second piece is kept when it stands in a quarter of the word's names and
overlaps none already kept (Get 取, Set 设置 and 置). A word seen once takes what its name
leaves once the other words' pieces are taken out. The proposal is reviewed by hand before
it becomes data/glossary/words.txt: a line "Word,中文[,中文...]".

A name is spelled by the glossary when its Chinese name, without "_", digits and ASCII,
cuts into pieces each of which is the Chinese of one of its English words.
"""
import collections
import re
import sys

WORD = re.compile(r"[A-Z]+(?=[A-Z][a-z])|[A-Z]?[a-z]+|[A-Z]+|[0-9]+")
MAX_PIECE = 4
# Among pieces that go with a word equally well, most Chinese words have two characters.
PREFERRED_LENGTH = {2: 3, 3: 2, 1: 1, 4: 0}


def english_words(name):
    """The words of an English name, as the wizard cuts them (library/glossary.cpp): at
    each capital that starts a word, at digits and at "_"; the A or W of a character-set
    form is no word."""
    words = WORD.findall(name)
    if len(words) > 1 and words[-1] in ("A", "W") and name[-2:-1].islower():
        words.pop()
    return [w.lower() for w in words if not w.isdigit()]


def chinese_core(name):
    return "".join(c for c in name if ord(c) > 0x7F)


def pieces(text):
    return {text[i:j] for i in range(len(text)) for j in range(i + 1, min(len(text), i + MAX_PIECE) + 1)}


def read_pairs(paths):
    pairs = []
    for path in paths:
        with open(path, encoding="utf-8") as f:
            for line in f:
                fields = line.rstrip("\r\n").split(",")
                if len(fields) >= 3 and not fields[2].endswith(fields[0] + "_"):
                    pairs.append((fields[0], fields[2]))
    return pairs


def propose(pairs):
    names = [(set(english_words(e)), chinese_core(c)) for e, c in pairs]
    word_count = collections.Counter(w for words, _ in names for w in words)
    piece_count = collections.Counter(p for _, c in names for p in pieces(c))
    together = collections.Counter((w, p) for words, c in names for w in words for p in pieces(c))
    by_word = collections.defaultdict(list)
    for (w, p), n in together.items():
        if n >= 2:
            dice = round(2 * n / (word_count[w] + piece_count[p]), 3)
            by_word[w].append((dice, PREFERRED_LENGTH[len(p)], p, n))
    for candidates in by_word.values():
        candidates.sort(reverse=True)
    glossary = {w: [c[0][2]] for w, c in by_word.items() if c[0][0] >= 0.2}
    taken = {p for chinese in glossary.values() for p in chinese}
    for w, candidates in by_word.items():
        for dice, _, p, n in candidates[1:]:
            if w not in glossary or len(glossary[w]) == 3 or dice < 0.3 or n < word_count[w] / 4:
                continue
            if p not in taken and not any(p in k or k in p for k in glossary[w]):
                glossary[w].append(p)
    # A word seen once: what its name leaves when the others' Chinese is taken out.
    for words, c in names:
        unknown = [w for w in words if w not in glossary]
        if len(unknown) != 1:
            continue
        rest = c
        for w in words:
            for p in glossary.get(w, []):
                rest = rest.replace(p, "", 1)
        if 1 <= len(rest) <= MAX_PIECE and rest in c:
            glossary[unknown[0]] = [rest]
    return glossary


def spelled(glossary, english, chinese):
    """The Chinese name cuts into the Chinese of its English words."""
    allowed = {p for w in english_words(english) for p in glossary.get(w, [])}
    text = chinese_core(chinese)
    reach = [True] + [False] * len(text)
    for i in range(len(text)):
        if reach[i]:
            for p in allowed:
                if text.startswith(p, i):
                    reach[i + len(p)] = True
    return bool(text) and reach[len(text)]


def words_glossed(glossary, english, chinese):
    """The Chinese name's words (the glossary's Chinese words in it, longest first), and
    how many of them are the Chinese of one of its English words."""
    vocabulary = {p for chinese_words in glossary.values() for p in chinese_words}
    allowed = {p for w in english_words(english) for p in glossary.get(w, [])}
    text, at, words, glossed = chinese_core(chinese), 0, 0, 0
    while at < len(text):
        word = next((text[at:at + n] for n in range(MAX_PIECE, 0, -1) if text[at:at + n] in vocabulary), None)
        if word is None:
            at += 1
            continue
        words += 1
        glossed += word in allowed
        at += len(word)
    return words, glossed


def main():
    args = sys.argv[1:]
    leave_one_out = args[:1] == ["--leave-one-out"]
    pairs = read_pairs(args[1:] if leave_one_out else args)
    if not leave_one_out:
        for w, chinese in sorted(propose(pairs).items()):
            print(",".join([w[:1].upper() + w[1:]] + chinese))
        return
    hits = words = glossed = 0
    for i, (e, c) in enumerate(pairs):
        others = propose(pairs[:i] + pairs[i + 1:])
        hits += spelled(others, e, c)
        found, right = words_glossed(others, e, c)
        words, glossed = words + found, glossed + right
    print(f"{hits} of {len(pairs)} names ({100 * hits / len(pairs):.1f} %) spelled whole by the glossary of the others")
    print(f"{glossed} of {words} Chinese words of the names ({100 * glossed / max(words, 1):.1f} %) "
          "glossed from their own English words")


if __name__ == "__main__":
    main()
