#!/usr/bin/env python3
"""Writes the shell's artwork as SVG files next to this script.

The pictures are drawn to the exact pixel sizes of the windows they fill:
the main window's background (750 x 560) and the six drop-down panels.
Run it again after changing a colour; the SVG files are checked in.
"""
from pathlib import Path

HERE = Path(__file__).resolve().parent

# One palette for every picture.
TITLE_TOP = "#27364a"
TITLE_BOTTOM = "#1b2636"
MENU_TOP = "#34506e"
MENU_BOTTOM = "#2a425c"
PANEL_TOP = "#2f4763"
PANEL_BOTTOM = "#223449"
PANEL_EDGE = "#5f7c9c"
CONTENT_TOP = "#eef1f4"
CONTENT_BOTTOM = "#dde3e9"
ACCENT = "#e0a526"
INK = "#22303f"
MUTED = "#6a7b8c"
FONT = "DejaVu Sans, Verdana, Arial, sans-serif"


def write(name, width, height, body):
    svg = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
           f'viewBox="0 0 {width} {height}">\n{body}\n</svg>\n')
    (HERE / f"{name}.svg").write_text(svg, encoding="utf-8")


def icon_body(size=64):
    s = size / 64
    bars = "".join(
        f'<rect x="{(14 + i * 10) * s:.2f}" y="{(48 - h) * s:.2f}" width="{7 * s:.2f}" '
        f'height="{h * s:.2f}" rx="{1.2 * s:.2f}" fill="{c}"/>'
        for i, (h, c) in enumerate([(12, "#9fc3e6"), (20, "#cfe2f5"), (30, "#ffffff"),
                                    (22, "#cfe2f5")]))
    return f'''<defs>
  <linearGradient id="ig" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#4b79a8"/><stop offset="1" stop-color="#24496f"/>
  </linearGradient>
</defs>
<rect x="{2 * s:.2f}" y="{2 * s:.2f}" width="{60 * s:.2f}" height="{60 * s:.2f}" rx="{12 * s:.2f}" fill="url(#ig)"/>
<rect x="{2 * s:.2f}" y="{2 * s:.2f}" width="{60 * s:.2f}" height="{60 * s:.2f}" rx="{12 * s:.2f}" fill="none" stroke="#17324f" stroke-width="{1.5 * s:.2f}"/>
<line x1="{11 * s:.2f}" y1="{50 * s:.2f}" x2="{53 * s:.2f}" y2="{50 * s:.2f}" stroke="#ffffff" stroke-width="{2 * s:.2f}" stroke-linecap="round"/>
{bars}
<path d="M{12 * s:.2f} {19 * s:.2f} l{5 * s:.2f} {5 * s:.2f} l{10 * s:.2f} {-11 * s:.2f}" fill="none" stroke="{ACCENT}" stroke-width="{4.5 * s:.2f}" stroke-linecap="round" stroke-linejoin="round"/>'''


def main_window():
    w, h = 750, 560
    title_h, menu_h = 22, 24
    menu_y = title_h
    content_y = title_h + menu_h
    icon = icon_body(14).replace('id="ig"', 'id="ig2"').replace("url(#ig)", "url(#ig2)")
    # The table panel (36,192) grows with its table; the card under it is
    # large enough for the widest and tallest table with its arrows.
    body = f'''<defs>
  <linearGradient id="title" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="{TITLE_TOP}"/><stop offset="1" stop-color="{TITLE_BOTTOM}"/>
  </linearGradient>
  <linearGradient id="menu" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="{MENU_TOP}"/><stop offset="1" stop-color="{MENU_BOTTOM}"/>
  </linearGradient>
  <linearGradient id="content" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="{CONTENT_TOP}"/><stop offset="1" stop-color="{CONTENT_BOTTOM}"/>
  </linearGradient>
  <linearGradient id="banner" x1="0" y1="0" x2="1" y2="0">
    <stop offset="0" stop-color="#ffffff" stop-opacity="0.85"/>
    <stop offset="1" stop-color="#ffffff" stop-opacity="0.15"/>
  </linearGradient>
</defs>
<rect width="{w}" height="{h}" fill="url(#content)"/>
<rect width="{w}" height="{title_h}" fill="url(#title)"/>
<rect y="{menu_y}" width="{w}" height="{menu_h}" fill="url(#menu)"/>
<rect y="{menu_y}" width="{w}" height="1" fill="#4d6c8d"/>
<rect y="{content_y - 2}" width="{w}" height="2" fill="{ACCENT}"/>
<g transform="translate(8,2)">{icon}</g>
<g transform="translate(702,3)">
  <rect x="0.5" y="0.5" width="13" height="13" rx="2.5" fill="#3b526c" stroke="#6d8aab"/>
  <rect x="3.5" y="9" width="7" height="2" rx="0.5" fill="#ffffff"/>
</g>
<g transform="translate(722,4)">
  <rect x="0.5" y="0.5" width="13" height="13" rx="2.5" fill="#a33c32" stroke="#d0766c"/>
  <path d="M4.2 4.2 L9.8 9.8 M9.8 4.2 L4.2 9.8" stroke="#ffffff" stroke-width="1.8" stroke-linecap="round"/>
</g>
<rect x="24" y="62" width="702" height="114" rx="10" fill="url(#banner)" stroke="#c9d2db"/>
<text x="44" y="104" font-family="{FONT}" font-size="26" font-weight="bold" fill="{INK}">Analiza wyników testu</text>
<text x="45" y="130" font-family="{FONT}" font-size="13" fill="{MUTED}">Wyniki, czas pracy i oceny klasy w jednej tabeli — z wykresami</text>
<text x="45" y="154" font-family="{FONT}" font-size="11" fill="{MUTED}">Plik → Wczytaj wyniki testu ...  wybierz pliki *.dat uczniów</text>
<g transform="translate(560,74)">
  <rect x="0" y="0" width="150" height="90" rx="8" fill="#ffffff" stroke="#c9d2db"/>
  <line x1="14" y1="74" x2="138" y2="74" stroke="#9aa9b8" stroke-width="1.5"/>
  <rect x="22" y="44" width="16" height="30" rx="2" fill="#7ea7cf"/>
  <rect x="46" y="28" width="16" height="46" rx="2" fill="#4b79a8"/>
  <rect x="70" y="16" width="16" height="58" rx="2" fill="#2f5d8a"/>
  <rect x="94" y="36" width="16" height="38" rx="2" fill="#4b79a8"/>
  <rect x="118" y="52" width="12" height="22" rx="2" fill="#7ea7cf"/>
  <polyline points="30,40 54,24 78,12 102,30 124,46" fill="none" stroke="{ACCENT}" stroke-width="2.5" stroke-linejoin="round"/>
</g>
<rect x="22" y="184" width="706" height="362" rx="9" fill="#f6f8fa" stroke="#c9d2db"/>
<rect x="23" y="185" width="704" height="3" rx="1.5" fill="#ffffff" opacity="0.9"/>
<rect y="{h - 10}" width="{w}" height="10" fill="url(#title)"/>
<rect y="{h - 10}" width="{w}" height="1" fill="{ACCENT}" opacity="0.8"/>'''
    write("glowny", w, h, body)


def panel(name, width, height):
    body = f'''<defs>
  <linearGradient id="p" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="{PANEL_TOP}"/><stop offset="1" stop-color="{PANEL_BOTTOM}"/>
  </linearGradient>
</defs>
<rect width="{width}" height="{height}" fill="url(#p)"/>
<rect x="0.5" y="0.5" width="{width - 1}" height="{height - 1}" fill="none" stroke="{PANEL_EDGE}"/>
<rect x="1" y="1" width="{width - 2}" height="1" fill="#ffffff" opacity="0.10"/>
<rect x="1" y="{height - 3}" width="{width - 2}" height="2" fill="{ACCENT}" opacity="0.85"/>'''
    write(name, width, height, body)


def main():
    write("icon", 64, 64, icon_body(64))
    main_window()
    for name, (width, height) in {
        "menu-top": (86, 46),
        "menu-plik": (172, 225),
        "menu-edycja": (148, 58),
        "menu-tabele": (160, 159),
        "menu-wykresy": (145, 75),
        "menu-about": (146, 55),
    }.items():
        panel(name, width, height)


if __name__ == "__main__":
    main()
