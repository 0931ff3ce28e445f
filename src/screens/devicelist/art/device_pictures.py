#!/usr/bin/env python3
"""Writes the pictures of the lighting, shutters and heating screens into resources/images.

Each header (320 x 60 points) continues the navigation bar above it: the same navy, the screen's
icon in a ring of its theme colour on the left (the title is drawn over the rest by the screen),
a large faint copy of the icon on the right and a thin line of the theme colour along the bottom.
The empty-list picture (72 x 72) is the same icon, quiet, in a pale ring of the theme, on the
white sheet of the list. The icons and colours are the shell's (src/app/art/shell_pictures.py). Run it again after a change:

    python3 src/screens/devicelist/art/device_pictures.py
"""
import importlib.util
import pathlib

ROOT = pathlib.Path(__file__).resolve().parents[4]
_spec = importlib.util.spec_from_file_location("shell_pictures", ROOT / "src" / "app" / "art" / "shell_pictures.py")
shell = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(shell)

OUT = ROOT / "resources" / "images"
WIDTH, HEIGHT = 320, 60

FAMILIES = [("lighting", "lighting", "yellow"), ("shutters", "shutters", "green"), ("heating", "heating", "red")]


def header(icon_name, theme):
    base, light = shell.shade(theme), shell.shade(theme, "light")
    body = "<defs>%s" % shell.bar_gradient("hdr")
    body += ('<radialGradient id="glow" cx="0.5" cy="0.5" r="0.5"><stop offset="0" stop-color="%s" '
             'stop-opacity="0.28"/><stop offset="1" stop-color="%s" stop-opacity="0"/></radialGradient></defs>'
             % (base, base))
    body += '<rect width="%d" height="%d" fill="url(#hdr)"/>' % (WIDTH, HEIGHT)
    body += '<rect width="%d" height="1" fill="#000000" fill-opacity="0.35"/>' % WIDTH
    # The icon, in a ring with a soft glow of the theme.
    body += '<circle cx="37" cy="30" r="30" fill="url(#glow)"/>'
    body += ('<circle cx="37" cy="30" r="18.5" fill="%s" fill-opacity="0.16" stroke="%s" stroke-opacity="0.9" '
             'stroke-width="1.4"/>' % (base, base))
    body += shell.icon(icon_name, 37, 30, 21, light, 1.8)
    # A large, faint icon that bleeds off the right edge.
    body += '<g opacity="0.07">%s</g>' % shell.icon(icon_name, 290, 34, 70, "#ffffff", 3.0)
    body += '<rect y="%d" width="%d" height="2" fill="%s"/>' % (HEIGHT - 2, WIDTH, base)
    return shell.svg(WIDTH, HEIGHT, body)


def empty(icon_name, theme):
    base, pale = shell.shade(theme), shell.shade(theme, "pale")
    body = '<circle cx="36" cy="36" r="34" fill="%s" fill-opacity="0.35" stroke="%s" stroke-opacity="0.55" ' \
           'stroke-width="1.5"/>' % (pale, base)
    body += shell.icon(icon_name, 36, 36, 36, "#8a94a6", 1.8)
    return shell.svg(72, 72, body)


def main():
    for area, icon_name, theme in FAMILIES:
        for name, picture in ((area + "_header", header(icon_name, theme)), (area + "_empty", empty(icon_name, theme))):
            (OUT / (name + ".svg")).write_text(picture)
            print("wrote", OUT / (name + ".svg"))


if __name__ == "__main__":
    main()
