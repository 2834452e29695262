#!/usr/bin/python3
"""The WCAG contrast of the text in a part of a screenshot against its background: the
background is the part's most common colour, the text its pixel that stands out most.

  contrast.py IMAGE X Y WIDTH HEIGHT      prints the ratio, such as 15.3
"""
import sys
from collections import Counter

from PIL import Image


def luminance(rgb):
    def channel(c):
        c = c / 255
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(c) for c in rgb[:3])
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def ratio(a, b):
    light, dark = sorted((luminance(a), luminance(b)), reverse=True)
    return (light + 0.05) / (dark + 0.05)


def main(path, x, y, width, height):
    part = Image.open(path).convert("RGB").crop((x, y, x + width, y + height))
    pixels = list(part.getdata())
    background = Counter(pixels).most_common(1)[0][0]
    print(f"{max(ratio(p, background) for p in pixels):.1f}")


if __name__ == "__main__":
    main(sys.argv[1], *(int(a) for a in sys.argv[2:6]))
