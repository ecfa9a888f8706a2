#!/usr/bin/env python3
"""Writes the 33 skin images skin01.she .. skin33.she beside this script.

An image is ".SHE", a format version byte (1), then sections, each a 4-byte
tag, a 32-bit little-endian payload length and the payload:
  "NAME"  the skin's name, UTF-8
  "PALT"  palette lines "Role=#rrggbb" (Qt colour role names, plus
          DisabledText for the disabled text colours)
  "QSS "  a Qt style sheet, UTF-8
Every colour of a skin comes from one hue, a saturation and a light or dark
mode, so the skins stay distinct and each stays in tune with itself.
"""
import colorsys
import os
import struct

# name, hue (degrees), saturation (0..1), dark mode
THEMES = [
    ("Slate", 215, 0.18, False),
    ("Jade", 150, 0.45, False),
    ("Amber", 38, 0.70, False),
    ("Rose", 345, 0.45, False),
    ("Lavender", 265, 0.40, False),
    ("Calm Blue", 208, 0.62, False),  # the skin applied at start
    ("Teal", 182, 0.55, False),
    ("Olive", 75, 0.40, False),
    ("Coral", 12, 0.62, False),
    ("Indigo", 235, 0.50, False),
    ("Sand", 42, 0.30, False),
    ("Moss", 110, 0.35, False),
    ("Plum", 300, 0.35, False),
    ("Steel", 200, 0.22, False),
    ("Sky", 198, 0.75, False),
    ("Mint", 160, 0.55, False),
    ("Peach", 25, 0.55, False),
    ("Cherry", 355, 0.65, False),
    ("Grape", 280, 0.50, False),
    ("Ocean", 220, 0.70, False),
    ("Lime", 90, 0.55, False),
    ("Bronze", 30, 0.45, False),
    ("Graphite", 210, 0.05, False),
    ("Ink", 220, 0.35, True),
    ("Forest Night", 140, 0.35, True),
    ("Charcoal", 0, 0.0, True),
    ("Midnight Blue", 225, 0.55, True),
    ("Wine", 340, 0.45, True),
    ("Deep Teal", 185, 0.50, True),
    ("Dusk", 270, 0.35, True),
    ("Espresso", 25, 0.35, True),
    ("Pine", 160, 0.40, True),
    ("Night Amber", 40, 0.60, True),
]


def colour(hue, saturation, lightness):
    r, g, b = colorsys.hls_to_rgb(hue / 360.0, lightness, saturation)
    return "#%02x%02x%02x" % (round(r * 255), round(g * 255), round(b * 255))


def scheme(hue, sat, dark):
    """The named colours of one skin."""
    if dark:
        return {
            "window": colour(hue, sat * 0.5, 0.16),
            "base": colour(hue, sat * 0.4, 0.11),
            "alternate": colour(hue, sat * 0.4, 0.14),
            "text": colour(hue, sat * 0.2, 0.90),
            "muted": colour(hue, sat * 0.2, 0.50),
            "button_top": colour(hue, sat * 0.5, 0.26),
            "button_bottom": colour(hue, sat * 0.5, 0.20),
            "border": colour(hue, sat * 0.4, 0.32),
            "accent": colour(hue, max(sat, 0.15), 0.48),
            "accent_text": "#ffffff",
            "hover": colour(hue, sat * 0.6, 0.30),
            "bar_top": colour(hue, sat * 0.6, 0.24),
            "bar_bottom": colour(hue, sat * 0.6, 0.18),
            "bar_text": colour(hue, sat * 0.2, 0.92),
        }
    return {
        "window": colour(hue, sat * 0.5, 0.95),
        "base": "#ffffff",
        "alternate": colour(hue, sat * 0.5, 0.97),
        "text": colour(hue, sat * 0.3, 0.13),
        "muted": colour(hue, sat * 0.2, 0.55),
        "button_top": colour(hue, sat * 0.4, 0.99),
        "button_bottom": colour(hue, sat * 0.5, 0.90),
        "border": colour(hue, sat * 0.45, 0.72),
        "accent": colour(hue, sat, 0.45),
        "accent_text": "#ffffff",
        "hover": colour(hue, sat * 0.8, 0.88),
        "bar_top": colour(hue, sat, 0.52),
        "bar_bottom": colour(hue, sat, 0.40),
        "bar_text": "#ffffff",
    }


def palette(c):
    roles = [
        ("Window", c["window"]), ("WindowText", c["text"]),
        ("Base", c["base"]), ("AlternateBase", c["alternate"]),
        ("Text", c["text"]), ("Button", c["button_bottom"]),
        ("ButtonText", c["text"]), ("Highlight", c["accent"]),
        ("HighlightedText", c["accent_text"]), ("ToolTipBase", c["base"]),
        ("ToolTipText", c["text"]), ("PlaceholderText", c["muted"]),
        ("Link", c["accent"]), ("DisabledText", c["muted"]),
    ]
    return "".join("%s=%s\n" % role for role in roles)


STYLE = """\
QWidget {{ font-family: "WenQuanYi Micro Hei", "Noto Sans CJK SC", sans-serif; font-size: 12px; }}
QMainWindow, QDialog {{ background: {window}; }}
QMenuBar {{ background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 {bar_top}, stop:1 {bar_bottom}); color: {bar_text}; }}
QMenuBar::item {{ background: transparent; padding: 3px 8px; }}
QMenuBar::item:selected {{ background: {hover}; color: {text}; }}
QMenu {{ background: {base}; color: {text}; border: 1px solid {border}; }}
QMenu::item {{ padding: 4px 22px 4px 22px; }}
QMenu::item:selected {{ background: {accent}; color: {accent_text}; }}
QMenu::item:disabled {{ color: {muted}; }}
QMenu::separator {{ height: 1px; background: {border}; margin: 3px 6px; }}
QToolBar {{ background: {window}; border-bottom: 1px solid {border}; spacing: 2px; }}
QToolButton {{ color: {text}; border: 1px solid transparent; border-radius: 3px; padding: 2px; }}
QToolButton:hover {{ background: {hover}; border-color: {border}; }}
QToolButton:pressed {{ background: {accent}; color: {accent_text}; }}
QPushButton {{ color: {text}; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 {button_top}, stop:1 {button_bottom}); border: 1px solid {border}; border-radius: 3px; padding: 2px 8px; }}
QPushButton:hover {{ border-color: {accent}; }}
QPushButton:pressed {{ background: {hover}; }}
QPushButton:disabled {{ color: {muted}; }}
QLineEdit, QTextEdit, QPlainTextEdit, QDateEdit {{ background: {base}; color: {text}; border: 1px solid {border}; selection-background-color: {accent}; selection-color: {accent_text}; }}
QLineEdit:focus, QTextEdit:focus, QPlainTextEdit:focus, QDateEdit:focus {{ border-color: {accent}; }}
QTreeView, QListView, QTableView {{ background: {base}; alternate-background-color: {alternate}; color: {text}; border: 1px solid {border}; selection-background-color: {accent}; selection-color: {accent_text}; }}
QHeaderView::section {{ background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 {button_top}, stop:1 {button_bottom}); color: {text}; border: none; border-right: 1px solid {border}; border-bottom: 1px solid {border}; padding: 2px 4px; }}
QGroupBox {{ color: {text}; border: 1px solid {border}; border-radius: 3px; margin-top: 8px; }}
QGroupBox::title {{ subcontrol-origin: margin; left: 8px; padding: 0 3px; }}
QLabel, QCheckBox {{ color: {text}; background: transparent; }}
QStatusBar {{ background: {window}; color: {text}; border-top: 1px solid {border}; }}
QSplitter::handle {{ background: {border}; }}
QToolTip {{ background: {base}; color: {text}; border: 1px solid {border}; }}
QScrollBar:vertical {{ background: {window}; width: 14px; }}
QScrollBar:horizontal {{ background: {window}; height: 14px; }}
QScrollBar::handle {{ background: {button_bottom}; border: 1px solid {border}; border-radius: 3px; min-height: 20px; min-width: 20px; }}
QScrollBar::handle:hover {{ background: {hover}; }}
"""


def section(tag, payload):
    data = payload.encode("utf-8")
    return tag.encode("ascii") + struct.pack("<I", len(data)) + data


def image(name, hue, sat, dark):
    c = scheme(hue, sat, dark)
    return (b".SHE" + bytes([1]) + section("NAME", name) +
            section("PALT", palette(c)) + section("QSS ", STYLE.format(**c)))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for number, theme in enumerate(THEMES, start=1):
        with open(os.path.join(here, "skin%02d.she" % number), "wb") as out:
            out.write(image(*theme))


if __name__ == "__main__":
    assert len(THEMES) == 33
    main()
