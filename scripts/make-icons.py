#!/usr/bin/env python3
"""Writes the program's own toolbar and menu icons (app/ui/icons/*.svg).

One drawing style for all: a 24x24 canvas, 1.6 px rounded slate strokes, white paper, one blue
accent (yellow for folders, red/green for the capture commands). Run it after changing a shape;
the SVG files it writes are committed.
"""
import pathlib

INK, PAPER, BLUE, YELLOW, RED, GREEN = "#36414d", "#ffffff", "#2f7fd8", "#f3c04f", "#d64541", "#2e9d57"
S = f'fill="none" stroke="{INK}" stroke-width="1.6" stroke-linecap="round" stroke-linejoin="round"'
SB = f'fill="none" stroke="{BLUE}" stroke-width="1.8" stroke-linecap="round" stroke-linejoin="round"'
PAPER_SHAPE = f'<path d="M6 2.8h8.2l4 4V21.2H6z" fill="{PAPER}" {S[12:]}/><path d="M14 2.8v4.2h4.2" {S}/>'
SANS, SERIF = "DejaVu Sans, Arial, sans-serif", "DejaVu Serif, serif"


def lines(ys, x1=4, x2=20, style=S):
    return "".join(f'<path d="M{x1} {y}h{x2 - x1}" {style}/>' for y in ys)


def text(t, size=13, weight="bold", extra="", family=SANS, x=12, y=17, colour=INK):
    return (f'<text x="{x}" y="{y}" font-size="{size}" font-weight="{weight}" font-family="{family}" '
            f'text-anchor="middle" fill="{colour}" {extra}>{t}</text>')


def magnifier(cx=10.5, cy=10.5, r=5.5, style=SB):
    return f'<circle cx="{cx}" cy="{cy}" r="{r}" {style}/><path d="M{cx + r * 0.72} {cy + r * 0.72}l5 5" {style}/>'


ICONS = {
    "document-new": PAPER_SHAPE + f'<path d="M12 10v7M8.5 13.5h7" {SB}/>',
    "document-open": f'<path d="M2.8 6.5h6.4l2 2h10v11.2H2.8z" fill="{YELLOW}" {S[12:]}/>'
                     f'<path d="M2.8 11h18.4" {S}/>',
    "document-save": f'<rect x="3.5" y="3.5" width="17" height="17" rx="2" fill="{BLUE}" {S[12:]}/>'
                     f'<rect x="7" y="3.5" width="10" height="6" fill="{PAPER}" {S[12:]}/>'
                     f'<rect x="6.5" y="13" width="11" height="7.5" fill="{PAPER}" {S[12:]}/>',
    "document-save-as": f'<rect x="3" y="3" width="15" height="15" rx="2" fill="{BLUE}" {S[12:]}/>'
                        f'<rect x="6" y="3" width="9" height="5" fill="{PAPER}" {S[12:]}/>'
                        f'<path d="M13 21l1-3.5 6-6 2.5 2.5-6 6z" fill="{YELLOW}" {S[12:]}/>',
    "document-print": f'<rect x="7" y="3" width="10" height="6" fill="{PAPER}" {S[12:]}/>'
                      f'<rect x="3" y="9" width="18" height="8" rx="2" fill="#c9d3de" {S[12:]}/>'
                      f'<rect x="7" y="14" width="10" height="7" fill="{PAPER}" {S[12:]}/>'
                      f'<circle cx="17.5" cy="11.8" r="0.9" fill="{BLUE}"/>',
    "document-print-preview": PAPER_SHAPE + magnifier(11, 13, 4),
    "document-close": PAPER_SHAPE + f'<path d="M9.5 11.5l5 5M14.5 11.5l-5 5" {SB}/>',
    "application-exit": f'<path d="M13 4H5v16h8" {S}/><path d="M10 12h10M16.5 8.5 20 12l-3.5 3.5" {SB}/>',
    "edit-cut": f'<circle cx="7" cy="17" r="3" {S}/><circle cx="17" cy="17" r="3" {S}/>'
                f'<path d="M9 15 17 3M15 15 7 3" {SB}/>',
    "edit-copy": f'<rect x="3.5" y="3.5" width="11" height="13" rx="1" fill="{PAPER}" {S[12:]}/>'
                 f'<rect x="9.5" y="7.5" width="11" height="13" rx="1" fill="{PAPER}" {S[12:]}/>'
                 + lines([12, 15, 18], 12, 18, SB),
    "edit-paste": f'<rect x="4" y="4.5" width="16" height="17" rx="2" fill="{YELLOW}" {S[12:]}/>'
                  f'<rect x="8.5" y="2.8" width="7" height="3.5" rx="1" fill="{PAPER}" {S[12:]}/>'
                  f'<rect x="7.5" y="9" width="9" height="10" fill="{PAPER}" {S[12:]}/>',
    "edit-undo": f'<path d="M9 5 4.5 9.5 9 14" {SB}/><path d="M4.5 9.5H14a5.5 5.5 0 0 1 0 11h-4" {S}/>',
    "edit-redo": f'<path d="M15 5l4.5 4.5L15 14" {SB}/><path d="M19.5 9.5H10a5.5 5.5 0 0 0 0 11h4" {S}/>',
    "edit-find": magnifier(10, 10, 6),
    "edit-find-replace": magnifier(9, 9, 5) + f'<path d="M14 20h7M18.5 17.5 21 20l-2.5 2.5" {S}/>',
    "text-wrap": lines([5, 19], 3, 21) + f'<path d="M3 12h14a3 3 0 0 1 0 6h-5" {SB}/>'
                 f'<path d="M14 15.5 11.5 18l2.5 2.5" {SB}/>',
    "network-connect": f'<path d="M4 20l3-3M20 4l-3 3" {S}/>'
                       f'<path d="M7 11l6 6-2 2a4.2 4.2 0 0 1-6-6z" fill="{BLUE}" {S[12:]}/>'
                       f'<path d="M11 7l6 6 2-2a4.2 4.2 0 0 0-6-6z" fill="{PAPER}" {S[12:]}/>'
                       f'<path d="M9 9l-2 2M11.5 11.5l-2 2" {S}/>',
    "preferences-system": f'<circle cx="12" cy="12" r="7.2" fill="none" stroke="{INK}" stroke-width="3.2" '
                          f'stroke-dasharray="2.83 2.83"/><circle cx="12" cy="12" r="5.6" fill="{PAPER}" {S[12:]}/>'
                          f'<circle cx="12" cy="12" r="2.2" {SB}/>',
    "input-tablet": f'<rect x="4" y="2.8" width="16" height="18.4" rx="2.5" fill="{PAPER}" {S[12:]}/>'
                    f'<rect x="7" y="5.5" width="10" height="5" rx="0.5" fill="{BLUE}"/>'
                    + "".join(f'<circle cx="{x}" cy="{y}" r="1.1" fill="{INK}"/>' for x in (8.5, 12, 15.5)
                              for y in (14, 17.5)),
    "utilities-terminal": f'<rect x="2.8" y="4" width="18.4" height="16" rx="2" fill="{INK}"/>'
                          f'<path d="M6.5 9l3 3-3 3M11.5 16h6" fill="none" stroke="{PAPER}" stroke-width="1.8" '
                          f'stroke-linecap="round" stroke-linejoin="round"/>',
    "input-keyboard": "".join(f'<rect x="{x}" y="{y}" width="4.6" height="4.6" rx="1" '
                              f'fill="{BLUE if (x, y) == (17, 17) else PAPER}" {S[12:]}/>'
                              for x in (3, 10, 17) for y in (3, 10, 17)),
    "format-text-bold": text("B", 16),
    "format-text-italic": text("I", 16, "bold", 'font-style="italic"', SERIF),
    "format-text-underline": text("U", 14) + lines([21], 6, 18, SB),
    "format-text-strikethrough": text("S", 15) + lines([11.5], 4, 20, SB),
    "format-justify-left": lines([5, 13], 3, 21) + lines([9, 17], 3, 14, SB) + lines([21], 3, 17),
    "format-justify-center": lines([5, 13], 3, 21) + lines([9, 17], 7, 17, SB) + lines([21], 5, 19),
    "format-justify-right": lines([5, 13], 3, 21) + lines([9, 17], 10, 21, SB) + lines([21], 7, 21),
    "format-list-unordered": "".join(f'<circle cx="5" cy="{y}" r="1.6" fill="{BLUE}"/>' for y in (6, 12, 18))
                             + lines([6, 12, 18], 9.5, 21),
    "format-text-uppercase": text("AB", 11),
    "format-text-lowercase": text("ab", 13),
    "format-indent-less": lines([4, 20], 3, 21) + lines([9.5, 14.5], 11, 21)
                          + f'<path d="M7.5 9 4 12l3.5 3" {SB}/>',
    "format-indent-more": lines([4, 20], 3, 21) + lines([9.5, 14.5], 11, 21)
                          + f'<path d="M3.5 9 7 12l-3.5 3" {SB}/>',
    "preferences-desktop-font": text("A", 17, "normal", "", SERIF, 10, 18)
                                + text("a", 10, "bold", "", SANS, 18.5, 20, BLUE),
    "media-record": f'<circle cx="12" cy="12" r="8" {S}/><circle cx="12" cy="12" r="3.4" fill="{GREEN}"/>'
                    f'<path d="M12 2v4M12 18v4M2 12h4M18 12h4" {S}/>',
    "media-playback-stop": f'<rect x="5" y="5" width="14" height="14" rx="2.5" fill="{RED}" {S[12:]}/>',
    "network-transmit-receive": f'<circle cx="12" cy="14" r="2" fill="{BLUE}"/><path d="M12 16v5" {S}/>'
                                f'<path d="M8.5 10.5a5 5 0 0 0 0 7M15.5 10.5a5 5 0 0 1 0 7" {SB}/>'
                                f'<path d="M5.5 7.5a9 9 0 0 0 0 13M18.5 7.5a9 9 0 0 1 0 13" {S}/>',
    "system-search": f'<path d="M4 18a9 9 0 0 1 16 0" {S}/><path d="M8 18a4.5 4.5 0 0 1 8 0" {S}/>'
                     f'<path d="M12 18 17 9" {SB}/><circle cx="12" cy="18" r="1.6" fill="{BLUE}"/>',
    "document-import": f'<path d="M12 3v11M7.5 9.5 12 14l4.5-4.5" {SB}/>'
                       f'<path d="M3.5 14v5.5h17V14" {S}/>',
    "document-export": PAPER_SHAPE + f'<path d="M9 14h9M15 11l3 3-3 3" {SB}/>',
    "help-about": f'<circle cx="12" cy="12" r="9" fill="{PAPER}" {S[12:]}/>'
                  f'<path d="M12 11v6" {SB}/><circle cx="12" cy="7.6" r="1.2" fill="{BLUE}"/>',
    "zentrix": f'<rect x="1.5" y="1.5" width="21" height="21" rx="4.5" fill="{INK}"/>'
               f'<circle cx="12" cy="12" r="6.8" fill="none" stroke="{PAPER}" stroke-width="1.6"/>'
               f'<path d="M12 3.5v5M12 15.5v5M3.5 12h5M15.5 12h5" stroke="{PAPER}" stroke-width="1.6" '
               f'stroke-linecap="round"/><circle cx="12" cy="12" r="2" fill="#ff6b3d"/>',
}

out = pathlib.Path(__file__).resolve().parent.parent / "app" / "ui" / "icons"
out.mkdir(parents=True, exist_ok=True)
for name, body in ICONS.items():
    (out / f"{name}.svg").write_text(
        f'<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24">{body}</svg>\n')
qrc = "".join(f"    <file>icons/{n}.svg</file>\n" for n in sorted(ICONS))
(out.parent / "icons.qrc").write_text(f'<RCC>\n  <qresource prefix="/zentrix">\n{qrc}  </qresource>\n</RCC>\n')
print(len(ICONS), "icons written to", out)
