#!/usr/bin/env python3
"""Checks that every language text fits its place on the panel and composes
mock-ups of the panel for each skin and language (DejaVu Sans stands in for Verdana).

Usage: mockup.py DATA_DIR OUTPUT_DIR
Exits with 1 when a text does not fit."""
import configparser
import functools
import os
import subprocess
import sys

IM = "convert-im6.q16"
BOLD, REGULAR = "DejaVu-Sans-Bold", "DejaVu-Sans"
# Verdana runs a little wider than its stand-in; keep that much room everywhere.
WIDTH_MARGIN = 1.08
LOGO_LEFT = 390          # the risk line shares its rows with the logo
PANEL_RIGHT = 440        # right end of the text area
BAR_BLOCK = 16


@functools.lru_cache(maxsize=None)
def text_width(text, font, points):
    if not text:
        return 0
    out = subprocess.run([IM, "-density", "96", "-font", font, "-pointsize", str(points),
                          "label:" + text.replace("\\", "\\\\"), "-format", "%w", "info:"],
                         check=True, capture_output=True, text=True).stdout
    return int(out)


def heading_width(text):
    """Width of a heading in the label font (Verdana 9.75 pt bold)."""
    return round(text_width(text, BOLD, 9.75) * WIDTH_MARGIN)


def read_config(data_dir):
    parser = configparser.RawConfigParser(strict=True)
    parser.optionxform = str.lower
    with open(os.path.join(data_dir, "Config.ini"), encoding="cp1252") as f:
        parser.read_file(f)
    return parser


def fit_problems(lang, texts):
    problems = []

    def need(ok, what):
        if not ok:
            problems.append(f"{lang}: {what}")

    wide = lambda t, f, p: text_width(t, f, p) * WIDTH_MARGIN
    need(wide(texts["title"], BOLD, 12) <= 250, "Title is wider than 250 px")
    time_right = heading_width(texts["usetimes"]) + 40 + wide(" 99:59", REGULAR, 20)
    need(time_right <= PANEL_RIGHT, f"Usetimes leaves the time ending at {time_right:.0f}")
    bar_right = heading_width(texts["level"]) + 55 + 3 * BAR_BLOCK
    need(bar_right <= LOGO_LEFT - 6, f"Level pushes the bar to {bar_right}")
    for n in (1, 2, 3):
        right = heading_width(texts["risk"]) + 55 + wide(texts[f"risk{n}"], REGULAR, 9)
        need(right <= LOGO_LEFT - 4, f"Risk{n} runs into the logo (ends at {right:.0f})")
        size = 9 if n == 3 else 10
        right = heading_width(texts["advice"]) + 55 + wide(texts[f"advice{n}"], REGULAR, size)
        need(right <= PANEL_RIGHT, f"Advice{n} ends at {right:.0f}")
    return problems


def shadow_text(args, text, x, y, points, font, colour="#FFFFFF", shadow=True):
    """One text as the panel draws it: a 78 % black copy, the text 1 px above it."""
    if not text:
        return
    common = ["-font", font, "-pointsize", str(points), "-gravity", "NorthWest"]
    x += round(points * 96 / 72 / 6)   # the layout box's leading padding
    if shadow:
        args += common + ["-fill", "#000000C8", "-annotate", f"+{x}+{y}", text]
        y -= 1
    args += common + ["-fill", colour, "-annotate", f"+{x}+{y}", text]


def compose(data_dir, skin, texts, level, use_time, logo_top, out):
    icons = os.path.join(data_dir, "icons.png")
    args = [IM, "-density", "96", os.path.join(data_dir, skin)]
    shadow_text(args, texts["title"], 13, 4, 12, BOLD, "#FFFFFF96", shadow=False)
    shadow_text(args, texts["title"], 13, 3, 12, BOLD, "#000000", shadow=False)
    shadow_text(args, texts["usetimes"], 40, 30, 10, BOLD)
    shadow_text(args, use_time, heading_width(texts["usetimes"]) + 40, 20, 20, REGULAR)
    shadow_text(args, texts["level"], 40, 50, 10, BOLD)
    shadow_text(args, texts["risk"], 40, 70, 10, BOLD)
    shadow_text(args, texts["advice"], 40, 107, 10, BOLD, "#FEEF49")
    for cell, y in enumerate((30, 50, 70, 107)):
        args += ["(", icons, "-crop", f"16x16+{16 * cell}+0", "+repage", ")",
                 "-geometry", f"+18+{y}", "-composite"]
    args += ["(", icons, "-crop", f"{16 * level}x16+64+0", "+repage", ")",
             "-geometry", f"+{heading_width(texts['level']) + 55}+50", "-composite"]
    shadow_text(args, texts[f"risk{level}"], heading_width(texts["risk"]) + 55, 71, 9, REGULAR)
    shadow_text(args, texts[f"advice{level}"], heading_width(texts["advice"]) + 55, 108,
                9 if level == 3 else 10, REGULAR)
    # The logo, then the panel's own pixels of (372, 100, 60, 30) over its lower edge.
    args += ["-write", "mpr:panel", os.path.join(data_dir, "logo.png"),
             "-geometry", f"+390+{logo_top}", "-composite",
             "(", "mpr:panel", "-crop", "60x30+372+100", "+repage", ")",
             "-geometry", "+372+100", "-composite", out]
    subprocess.run(args, check=True)


def main(data_dir, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    config = read_config(data_dir)
    languages = [s for s in config.sections() if s.lower().startswith("title")]
    problems = [p for lang in languages for p in fit_problems(lang, config[lang])]
    skins = [config["Skins"][f"bitmap{n}"].replace("\\", "/")
             for n in range(1, int(config["Skins"]["count"]) + 1)]
    english = config[config["Skins"]["language"]]
    for n, skin in enumerate(skins, 1):
        compose(data_dir, skin, english, 2, " 01:30", 74 + 3 * (n % 2),
                os.path.join(out_dir, f"skin{n}.png"))
    for lang in languages:
        for level in (1, 2, 3):
            compose(data_dir, skins[level - 1], config[lang], level, f" 0{level}:15", 74,
                    os.path.join(out_dir, f"{lang}_{level}.png"))
    for p in problems:
        print("does not fit:", p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
