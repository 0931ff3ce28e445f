#!/usr/bin/env python3
"""Writes the shell's pictures (main menu, navigation bar, login screen) into resources/images.

The pictures form one set: the navy of the toolkit's bars, cards with a soft top light, and one
of the app's eight theme colours per menu entry (the same colours the controls are drawn in, see
src/ui/Theme.cpp). Run it again after changing a colour or an icon:

    python3 src/app/art/shell_pictures.py
"""
import math
import pathlib

OUT = pathlib.Path(__file__).resolve().parents[3] / "resources" / "images"

# The eight themes (src/ui/Theme.cpp), with the light and dark shades the picture templates get.
THEMES = {
    "blue": (0.086, 0.443, 0.678),
    "green": (0.118, 0.792, 0.384),
    "orange1": (0.965, 0.533, 0.125),
    "orange2": (0.890, 0.639, 0.184),
    "purple": (0.694, 0.600, 0.976),
    "red": (0.961, 0.290, 0.290),
    "syan": (0.188, 0.894, 0.957),
    "yellow": (0.933, 0.765, 0.106),
}


def hexcolor(rgb):
    return "#%02x%02x%02x" % tuple(round(c * 255) for c in rgb)


def shade(name, kind="base"):
    r, g, b = THEMES[name]
    if kind == "light":
        return hexcolor((r + (1 - r) * 0.45, g + (1 - g) * 0.45, b + (1 - b) * 0.45))
    if kind == "pale":
        return hexcolor((r + (1 - r) * 0.7, g + (1 - g) * 0.7, b + (1 - b) * 0.7))
    if kind == "dark":
        return hexcolor((r * 0.62, g * 0.62, b * 0.62))
    return hexcolor((r, g, b))


NAVY_TOP, NAVY_MID, NAVY_BOTTOM = "#2b3a52", "#212e42", "#161f2d"
CARD_TOP, CARD_BOTTOM = "#233249", "#19243a"
FONT = "font-family=\"Roboto\""


def star_points(cx, cy, outer, inner):
    points = []
    for i in range(10):
        r = outer if i % 2 == 0 else inner
        a = -math.pi / 2 + i * math.pi / 5
        points.append("%.2f,%.2f" % (cx + r * math.cos(a), cy + r * math.sin(a)))
    return " ".join(points)


# Line icons on a 24 × 24 grid, drawn with round strokes.
ICONS = {
    "home": '<path d="M3 11.2 L12 3.8 L21 11.2"/><path d="M5.6 9.4 V20 H18.4 V9.4"/><path d="M10 20 V14.6 H14 V20"/>',
    "favorites": '<polygon points="%s"/>' % star_points(12, 12.6, 9.2, 3.9),
    "history": '<path d="M4.6 13 A7.6 7.6 0 1 0 6.8 6.6"/><path d="M3.9 3.6 L4.4 7.6 L8.4 7.1"/><path d="M12 8.2 V12.8 L15.2 14.8"/>',
    "security": '<path d="M12 3 L19.5 5.9 V11.4 C19.5 15.9 16.4 19.5 12 21 C7.6 19.5 4.5 15.9 4.5 11.4 V5.9 Z"/>'
                '<path d="M8.6 12 L11 14.4 L15.6 9.6"/>',
    "supervision": '<rect x="2.6" y="7" width="12.8" height="10" rx="2"/><path d="M15.4 10.6 L21.2 7.4 V16.6 L15.4 13.4"/>'
                   '<circle cx="7" cy="12" r="1.4"/>',
    "lighting": '<path d="M9.2 17.4 H14.8"/><path d="M10 20.4 H14"/>'
                '<path d="M9.2 17.4 V15.8 C9.2 14.9 8.7 14.2 8 13.5 A6 6 0 1 1 16 13.5 C15.3 14.2 14.8 14.9 14.8 15.8 V17.4"/>',
    "shutters": '<path d="M3 3.6 H21"/><path d="M4.6 3.6 V20.4 H19.4 V3.6"/><path d="M4.6 7.4 H19.4"/>'
                '<path d="M4.6 10.8 H19.4"/><path d="M4.6 14.2 H19.4"/><path d="M12 14.2 V20.4"/>',
    "heating": '<path d="M10 14.4 V5.2 A2 2 0 0 1 14 5.2 V14.4 A4 4 0 1 1 10 14.4 Z"/><path d="M12 17.6 V10.4"/>'
               '<path d="M16.8 7 H19"/><path d="M16.8 10 H19"/>',
    "consumption": '<path d="M13.2 2.8 L5.6 13.4 H11.6 L10.6 21.2 L18.4 10.2 H12.4 Z"/>',
    "weather": '<circle cx="8.4" cy="8.6" r="3.2"/><path d="M8.4 2.4 V3.6 M2.2 8.6 H3.4 M4 4.2 L4.8 5 M12.8 4.2 L12 5"/>'
               '<path d="M8 19.6 H17.2 A3.8 3.8 0 0 0 17.2 12 A5.2 5.2 0 0 0 7.4 13.4 A3.1 3.1 0 0 0 8 19.6 Z"/>',
}


def icon(name, cx, cy, size, color, width):
    s = size / 24.0
    return ('<g transform="translate(%.2f %.2f) scale(%.4f)" fill="none" stroke="%s" stroke-width="%.2f" '
            'stroke-linecap="round" stroke-linejoin="round">%s</g>'
            % (cx - 12 * s, cy - 12 * s, s, color, width / s, ICONS[name]))


def theme_stripe(x, y, width, height):
    """The eight theme colours side by side: the set's signature."""
    order = ["blue", "syan", "green", "yellow", "orange2", "orange1", "red", "purple"]
    step = width / len(order)
    return "".join('<rect x="%.2f" y="%.2f" width="%.2f" height="%.2f" fill="%s"/>'
                   % (x + i * step, y, step + 0.3, height, shade(c)) for i, c in enumerate(order))


def svg(width, height, body, stretch=False):
    aspect = ' preserveAspectRatio="none"' if stretch else ""
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d"%s>\n%s\n</svg>\n'
            % (width, height, width, height, aspect, body))


def card_defs(ident, color):
    return ('<defs><linearGradient id="card%s" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient>'
            '<radialGradient id="glow%s" cx="0.5" cy="0.5" r="0.5">'
            '<stop offset="0" stop-color="%s" stop-opacity="0.30"/><stop offset="1" stop-color="%s" stop-opacity="0"/>'
            '</radialGradient></defs>' % (ident, CARD_TOP, CARD_BOTTOM, ident, color, color))


def card(x, y, w, h, r, ident):
    return ('<rect x="%.1f" y="%.1f" width="%.1f" height="%.1f" rx="%.1f" fill="url(#card%s)" stroke="#000000" '
            'stroke-opacity="0.45" stroke-width="1"/>'
            '<path d="M%.1f %.1f H%.1f" stroke="#ffffff" stroke-opacity="0.13" stroke-width="1"/>'
            % (x, y, w, h, r, ident, x + r * 0.8, y + 1, x + w - r * 0.8))


def left_tile(icon_name, theme, height):
    """A tall tile of the left column (127 points wide): label on top, big icon below."""
    base, light = shade(theme), shade(theme, "light")
    x, y, w = 8, 4, 115
    h = height - 8
    cx, cy = x + w / 2, y + h - 43
    body = card_defs("t", base)
    body += card(x + 0.5, y + 0.5, w - 1, h - 1, 12, "t")
    body += '<rect x="18" y="12" width="18" height="3" rx="1.5" fill="%s"/>' % base
    body += '<circle cx="%.1f" cy="%.1f" r="44" fill="url(#glowt)"/>' % (cx, cy)
    body += ('<circle cx="%.1f" cy="%.1f" r="27" fill="%s" fill-opacity="0.16" stroke="%s" stroke-opacity="0.85" '
             'stroke-width="1.4"/>' % (cx, cy, base, base))
    body += icon(icon_name, cx, cy, 30, light, 1.9)
    return svg(127, height, body)


def right_row(icon_name, theme, height):
    """A row of the right column (193 points wide): icon on the left, label beside it, chevron."""
    base, light = shade(theme), shade(theme, "light")
    x, y, w = 4, 4, 181
    h = 47 if height == 55 else height - 11
    cy = 28
    body = card_defs("r", base)
    body += card(x + 0.5, y + 0.5, w - 1, h - 1, 10, "r")
    body += ('<circle cx="27" cy="%.1f" r="14.5" fill="%s" fill-opacity="0.16" stroke="%s" stroke-opacity="0.85" '
             'stroke-width="1.2"/>' % (cy, base, base))
    body += icon(icon_name, 27, cy, 17, light, 1.6)
    body += ('<path d="M171 %.1f L176 %.1f L171 %.1f" fill="none" stroke="#8393ab" stroke-width="1.8" '
             'stroke-linecap="round" stroke-linejoin="round"/>' % (cy - 5, cy, cy + 5))
    return svg(193, height, body)


def bar_gradient(ident):
    return ('<linearGradient id="%s" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="%s"/>'
            '<stop offset="0.5" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient>'
            % (ident, NAVY_TOP, NAVY_MID, NAVY_BOTTOM))


def logo_mark(x, y, size):
    """The app's mark: a house on a rounded square in the blue theme."""
    s = size / 60.0
    return ('<g transform="translate(%.2f %.2f) scale(%.4f)">'
            '<rect x="0" y="0" width="60" height="60" rx="15" fill="url(#mark)"/>'
            '<rect x="1" y="1" width="58" height="58" rx="14" fill="none" stroke="#ffffff" stroke-opacity="0.22" stroke-width="1.2"/>'
            '%s</g>' % (x, y, s, icon("home", 30, 30.5, 36, "#ffffff", 2.6)))


def mark_defs():
    return ('<linearGradient id="mark" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="%s"/>'
            '<stop offset="1" stop-color="%s"/></linearGradient>' % (shade("blue", "light"), shade("blue", "dark")))


def menu_top():
    body = "<defs>%s%s</defs>" % (bar_gradient("bar"), mark_defs())
    body += '<rect width="320" height="44" fill="url(#bar)"/>'
    body += '<rect width="320" height="1" fill="#ffffff" fill-opacity="0.14"/>'
    body += logo_mark(12, 8, 28)
    body += ('<text x="48" y="29" %s font-size="19" font-weight="300" fill="#ffffff" letter-spacing="0.5">Tavro'
             '<tspan font-weight="700">Box</tspan></text>' % FONT)
    body += theme_stripe(0, 42, 320, 2)
    return svg(320, 44, body)


def menu_bottom():
    body = ('<defs><linearGradient id="foot" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#161f2d"/>'
            '<stop offset="1" stop-color="#0b1119"/></linearGradient></defs>'
            '<rect width="320" height="18" fill="url(#foot)"/>'
            '<rect width="320" height="1" fill="#ffffff" fill-opacity="0.10"/>')
    return svg(320, 18, body)


def nav_bar():
    body = "<defs>%s</defs>" % bar_gradient("bar")
    body += '<rect width="320" height="44" fill="url(#bar)"/>'
    body += '<rect width="320" height="1" fill="#ffffff" fill-opacity="0.14"/>'
    body += theme_stripe(0, 42, 320, 2)
    return svg(320, 44, body, stretch=True)


def login_background():
    body = ('<defs><linearGradient id="sky" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#22344e"/>'
            '<stop offset="0.55" stop-color="#162337"/><stop offset="1" stop-color="#0d1521"/></linearGradient>'
            '<radialGradient id="halo" cx="0.5" cy="0.5" r="0.5"><stop offset="0" stop-color="%s" stop-opacity="0.35"/>'
            '<stop offset="1" stop-color="%s" stop-opacity="0"/></radialGradient>%s</defs>'
            % (shade("blue"), shade("blue"), mark_defs()))
    body += '<rect width="320" height="460" fill="url(#sky)"/>'
    # Rings behind the mark, like a signal reaching the house.
    body += '<circle cx="160" cy="58" r="90" fill="url(#halo)"/>'
    for r, o in ((46, 0.10), (64, 0.07), (84, 0.045)):
        body += '<circle cx="160" cy="58" r="%d" fill="none" stroke="#ffffff" stroke-opacity="%.3f" stroke-width="1"/>' % (r, o)
    body += logo_mark(130, 28, 60)
    body += ('<text x="160" y="114" text-anchor="middle" %s font-size="26" font-weight="300" fill="#ffffff" '
             'letter-spacing="0.6">Tavro<tspan font-weight="700">Box</tspan></text>' % FONT)
    # The card the fields sit on, with a soft shadow below it.
    for i, o in enumerate((0.10, 0.08, 0.06, 0.04)):
        body += ('<rect x="%.1f" y="%.1f" width="%.1f" height="290" rx="%d" fill="#000000" fill-opacity="%.2f"/>'
                 % (16 - i, 160 + i * 1.5, 288 + 2 * i, 16 + i, o))
    body += '<rect x="16" y="158" width="288" height="290" rx="16" fill="#ffffff"/>'
    body += theme_stripe(32, 158, 256, 3)
    return svg(320, 460, body)


def login_button(pressed):
    top = "{theme-dark}" if pressed else "{theme}"
    bottom = "{theme-dark}"
    body = ('<defs><linearGradient id="fill" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="%s"/>'
            '<stop offset="1" stop-color="%s"/></linearGradient></defs>' % (top, bottom))
    body += '<rect x="0.5" y="0.5" width="39" height="41" rx="10" fill="url(#fill)" stroke="{theme-dark}" stroke-width="1"/>'
    if not pressed:
        body += '<path d="M4 6 Q4 2 9 2 H31 Q36 2 36 6" fill="none" stroke="#ffffff" stroke-opacity="0.28" stroke-width="1"/>'
    return svg(40, 42, body)


LEFT = [("menu_myhome", "home", "blue", 131), ("menu_myfavorites", "favorites", "yellow", 131),
        ("menu_myhistory", "history", "purple", 133)]
RIGHT = [("menu_mysecurity", "security", "red", 55), ("menu_mysupervision", "supervision", "purple", 55),
         ("menu_mylighting", "lighting", "orange2", 55), ("menu_myshutters", "shutters", "syan", 55),
         ("menu_myheating", "heating", "orange1", 55), ("menu_myconsumption", "consumption", "green", 55),
         ("menu_weather", "weather", "blue", 68)]


def main():
    files = {"menu_top": menu_top(), "menu_bottom": menu_bottom(), "nav_bar": nav_bar(),
             "login_background": login_background(), "login_button_{color}": login_button(False),
             "login_button_pressed_{color}": login_button(True)}
    for name, icon_name, theme, height in LEFT:
        files[name] = left_tile(icon_name, theme, height)
    for name, icon_name, theme, height in RIGHT:
        files[name] = right_row(icon_name, theme, height)
    for name, text in files.items():
        (OUT / (name + ".svg")).write_text(text)
        print("wrote", OUT / (name + ".svg"))


if __name__ == "__main__":
    main()
