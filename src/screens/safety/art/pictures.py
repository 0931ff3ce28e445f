#!/usr/bin/env python3
"""Writes the pictures of the safety and energies screens into resources/images.

The headers (320 x 60 points) continue the navigation bar like the other screens' headers: the
navy of the bar, the screen's icon in a ring of its theme colour on the left, a large faint copy
of the icon on the right and a thin line of the theme colour along the bottom. The icons and
colours are the shell's (src/app/art/shell_pictures.py). Run it again after a change:

    python3 src/screens/safety/art/pictures.py
"""
import importlib.util
import pathlib

ROOT = pathlib.Path(__file__).resolve().parents[4]
_spec = importlib.util.spec_from_file_location("shell_pictures", ROOT / "src" / "app" / "art" / "shell_pictures.py")
shell = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(shell)

OUT = ROOT / "resources" / "images"
WIDTH, HEIGHT = 320, 60


def header(icon_name, theme):
    base, light = shell.shade(theme), shell.shade(theme, "light")
    body = "<defs>%s" % shell.bar_gradient("hdr")
    body += ('<radialGradient id="glow" cx="0.5" cy="0.5" r="0.5"><stop offset="0" stop-color="%s" '
             'stop-opacity="0.28"/><stop offset="1" stop-color="%s" stop-opacity="0"/></radialGradient></defs>'
             % (base, base))
    body += '<rect width="%d" height="%d" fill="url(#hdr)"/>' % (WIDTH, HEIGHT)
    body += '<rect width="%d" height="1" fill="#000000" fill-opacity="0.35"/>' % WIDTH
    body += '<circle cx="37" cy="30" r="30" fill="url(#glow)"/>'
    body += ('<circle cx="37" cy="30" r="18.5" fill="%s" fill-opacity="0.16" stroke="%s" stroke-opacity="0.9" '
             'stroke-width="1.4"/>' % (base, base))
    body += shell.icon(icon_name, 37, 30, 21, light, 1.8)
    body += '<g opacity="0.07">%s</g>' % shell.icon(icon_name, 290, 34, 70, "#ffffff", 3.0)
    body += '<rect y="%d" width="%d" height="2" fill="%s"/>' % (HEIGHT - 2, WIDTH, base)
    return shell.svg(WIDTH, HEIGHT, body)


def section_card():
    """A white card with a soft edge; drawn stretched by its 14-point caps."""
    body = ('<rect x="0.5" y="1.5" width="39" height="38" rx="12" fill="#1b273b" fill-opacity="0.07"/>'
            '<rect x="0.5" y="0.5" width="39" height="38" rx="12" fill="#ffffff" stroke="#d6dce4" stroke-width="1"/>')
    return shell.svg(40, 40, body)


def h_line():
    body = ('<defs><linearGradient id="l" x1="0" y1="0" x2="1" y2="0"><stop offset="0" stop-color="#c9cfd8" '
            'stop-opacity="0"/><stop offset="0.08" stop-color="#c9cfd8"/><stop offset="0.92" stop-color="#c9cfd8"/>'
            '<stop offset="1" stop-color="#c9cfd8" stop-opacity="0"/></linearGradient></defs>'
            '<rect width="40" height="1" fill="url(#l)"/>')
    return shell.svg(40, 1, body, stretch=True)


def energies_soon():
    """The energies notice: the bolt in a large green ring, with a small clock badge for "soon"."""
    base, light, pale = shell.shade("green"), shell.shade("green", "light"), shell.shade("green", "pale")
    body = ('<defs><radialGradient id="glow" cx="0.5" cy="0.5" r="0.5"><stop offset="0" stop-color="%s" '
            'stop-opacity="0.30"/><stop offset="1" stop-color="%s" stop-opacity="0"/></radialGradient>'
            '<linearGradient id="disc" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="%s"/>'
            '<stop offset="1" stop-color="%s"/></linearGradient></defs>' % (base, base, pale, "#ffffff"))
    body += '<circle cx="50" cy="48" r="48" fill="url(#glow)"/>'
    body += '<circle cx="50" cy="48" r="34" fill="url(#disc)" stroke="%s" stroke-width="2"/>' % base
    body += shell.icon("consumption", 50, 48, 38, shell.shade("green", "dark"), 2.2)
    # The clock badge, lower right.
    body += '<circle cx="77" cy="74" r="13" fill="#ffffff" stroke="%s" stroke-width="2"/>' % light
    body += ('<path d="M77 67.5 V74 L81.5 76.5" fill="none" stroke="%s" stroke-width="2" stroke-linecap="round" '
             'stroke-linejoin="round"/>' % shell.shade("green", "dark"))
    return shell.svg(100, 96, body)


def main():
    files = {
        "top_mysecurity": header("security", "orange1"),
        "top_myconsumption": header("consumption", "green"),
        "section_bottom_bg": section_card(),
        "h_line": h_line(),
        "energies_soon": energies_soon(),
    }
    for name, text in files.items():
        (OUT / (name + ".svg")).write_text(text)
        print("wrote", OUT / (name + ".svg"))


if __name__ == "__main__":
    main()
