#!/usr/bin/env python3
"""Writes the pictures of the home dashboard, the favorites and the scenario screens into
resources/images (home_*, favorites_*, scenario_*).

They belong to the shell's set (src/app/art/shell_pictures.py, whose palette and icons they use):
navy headers under the navigation bar with the screen's theme colour, white cards on the light
grey of the screens. Run it again after changing a colour or an icon:

    python3 src/screens/home/art/home_pictures.py
"""
import importlib.util
import pathlib

ROOT = pathlib.Path(__file__).resolve().parents[4]
_spec = importlib.util.spec_from_file_location("shell_pictures", ROOT / "src" / "app" / "art" / "shell_pictures.py")
shell = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(shell)

OUT = ROOT / "resources" / "images"
svg, icon, shade, bar_gradient = shell.svg, shell.icon, shell.shade, shell.bar_gradient

ICONS = dict(shell.ICONS)
ICONS["play"] = '<path d="M8.4 5.6 L18.6 12 L8.4 18.4 Z"/>'
ICONS["camera_off"] = ('<rect x="2.6" y="7" width="12.8" height="10" rx="2"/><path d="M15.4 10.6 L21.2 7.4 V16.6 L15.4 13.4"/>'
                       '<path d="M3 3 L21 21"/>')
ICONS["chevron_down"] = '<path d="M6 9 L12 15 L18 9"/>'
shell.ICONS.update(ICONS)


def header(icon_name, theme, height):
    """The band under the navigation bar: navy, the screen's colour glowing behind its icon on the
    right, a line of that colour along the bottom."""
    base, light = shade(theme), shade(theme, "light")
    cx, cy, r = 266, height / 2 - 1, min(27, height / 2 - 8)
    body = ('<defs>%s<radialGradient id="glow" cx="0.5" cy="0.5" r="0.5">'
            '<stop offset="0" stop-color="%s" stop-opacity="0.42"/><stop offset="1" stop-color="%s" stop-opacity="0"/>'
            '</radialGradient></defs>' % (bar_gradient("bar"), base, base))
    body += '<rect width="320" height="%d" fill="url(#bar)"/>' % height
    # A large faint copy of the icon, cut by the right edge, gives the band some depth.
    body += '<g opacity="0.07">%s</g>' % icon(icon_name, 316, cy + 6, height * 1.5, "#ffffff", 2.2)
    body += '<circle cx="%.1f" cy="%.1f" r="%.1f" fill="url(#glow)"/>' % (cx, cy, r * 2.1)
    body += ('<circle cx="%.1f" cy="%.1f" r="%.1f" fill="%s" fill-opacity="0.18" stroke="%s" stroke-opacity="0.9" '
             'stroke-width="1.4"/>' % (cx, cy, r, base, base))
    body += icon(icon_name, cx, cy, r * 1.15, light, 1.8)
    body += '<rect y="%d" width="320" height="3" fill="%s"/>' % (height - 3, base)
    body += '<rect y="%d" width="320" height="1" fill="#000000" fill-opacity="0.25"/>' % (height - 4)
    return svg(320, height, body)


def scenario_header(icon_name, theme):
    """A domain's scenarios: the domain's icon with a small play badge."""
    text = header(icon_name, theme, 85)
    base = shade(theme)
    badge = ('<circle cx="288" cy="60" r="10" fill="%s" stroke="#161f2d" stroke-width="2"/>'
             '%s' % (base, icon("play", 289, 60, 11, "#ffffff", 2.2)))
    return text.replace("\n</svg>", badge + "\n</svg>")


def card():
    """A white card with a soft shadow, stretched by its middle row and column (caps 12 points).
    The card itself starts 3 points in from the sides and 2 from the top; 4 points of shadow below."""
    w, h = 31, 33
    body = ""
    for i, o in enumerate((0.05, 0.04, 0.03)):
        body += ('<rect x="%.1f" y="%.1f" width="%.1f" height="%.1f" rx="%.1f" fill="#1d2633" fill-opacity="%.2f"/>'
                 % (3 - i * 0.8, 2 + 1 + i * 0.8, 25 + i * 1.6, 27 + i * 1.2, 9 + i, o))
    body += '<rect x="3" y="2" width="25" height="27" rx="9" fill="#ffffff"/>'
    body += '<rect x="3.5" y="2.5" width="24" height="26" rx="8.5" fill="none" stroke="#1d2633" stroke-opacity="0.06"/>'
    return svg(w, h, body)


def empty_icon(icon_name, color):
    body = '<circle cx="24" cy="24" r="22" fill="%s" fill-opacity="0.10"/>' % color
    body += icon(icon_name, 24, 24, 24, color, 1.8)
    return svg(48, 48, body)


def camera_tab():
    """Where the camera strip was, while it is hidden: a slim band with a camera and an arrow."""
    body = "<defs>%s</defs>" % bar_gradient("bar")
    body += '<rect width="320" height="24" fill="url(#bar)"/>'
    body += '<rect y="23" width="320" height="1" fill="#000000" fill-opacity="0.3"/>'
    body += icon("supervision", 148, 12, 15, shade("blue", "light"), 1.5)
    body += icon("chevron_down", 170, 12.5, 13, "#8393ab", 1.8)
    return svg(320, 24, body, stretch=True)


def main():
    files = {
        "home_top": header("home", "blue", 56),
        "home_card": card(),
        "home_camera_tab": camera_tab(),
        "home_no_camera": empty_icon("camera_off", "#8393ab"),
        "home_camera_wait": empty_icon("supervision", "#5b6b82"),
        "favorites_top": header("favorites", "syan", 85),
        "favorites_empty": empty_icon("favorites", shade("syan", "dark")),
        "scenario_top_lighting": scenario_header("lighting", "yellow"),
        "scenario_top_shutters": scenario_header("shutters", "green"),
        "scenario_top_heating": scenario_header("heating", "red"),
        "scenario_empty": empty_icon("play", "#8393ab"),
    }
    for name, text in files.items():
        (OUT / (name + ".svg")).write_text(text)
        print("wrote", OUT / (name + ".svg"))


if __name__ == "__main__":
    main()
