"""The small pictures of the installer's skin: state strips of the buttons, the window
glyphs, the folder icon, check boxes, the folder box frame and the completion lettering.
The backgrounds are in skin_backdrop.py; tools/draw_skin.py saves them all.

A state strip holds four cells side by side: normal, hot (pointer over), pushed, disabled.
"""
from PIL import Image, ImageChops

import skin_backdrop
from skin_paint import font, gradient, lay, polygon, rect, rgba, shear, stroke, text_mask

def strip(cell, draw_cell):
    """Four cells of `cell` size side by side; `draw_cell(picture, x, state)` draws one."""
    picture = Image.new("RGBA", (cell[0] * 4, cell[1]), (0, 0, 0, 0))
    for state, name in enumerate(("normal", "hot", "pushed", "disabled")):
        draw_cell(picture, state * cell[0], name)
    return picture


# Buttons of 120x40: a filled blue one for the main action, outlined ones for the others.
# For each state: face gradient (top, bottom), border colour or None, label colour.
FILLED = {
    "normal": (("#2a8cf5", "#0c6fe0"), None, "#ffffff"),
    "hot": (("#4aa0fa", "#2284ee"), None, "#ffffff"),
    "pushed": (("#0b62c8", "#0a57b3"), None, "#e8f1fd"),
    "disabled": (("#b4d3f7", "#a9cbf4"), None, "#f2f7fe"),
}
OUTLINED_BLUE = {
    "normal": (("#ffffff", "#ffffff"), "#2a84ea", "#1a74dc"),
    "hot": (("#f2f8ff", "#eaf3fe"), "#4a9af2", "#2a84ea"),
    "pushed": (("#dcebfd", "#d3e6fc"), "#0c66d0", "#0c5fc0"),
    "disabled": (("#ffffff", "#ffffff"), "#c5dcf6", "#a9c8ee"),
}
OUTLINED_GREY = {
    "normal": (("#ffffff", "#ffffff"), "#c9d1db", "#333333"),
    "hot": (("#f6f8fb", "#f1f4f8"), "#aab5c3", "#1f2329"),
    "pushed": (("#e7ebf0", "#e2e7ed"), "#98a4b3", "#1f2329"),
    "disabled": (("#ffffff", "#ffffff"), "#e1e5ea", "#b8bec6"),
}


def button(label, style):
    face = font(16)

    def cell(picture, x, state):
        (top, bottom), border, ink = style[state]
        face_box, radius = (x, 0, x + 120, 40), 5
        if border:
            rect(picture, face_box, radius, rgba(border))
            face_box, radius = (x + 1, 1, x + 119, 39), 4
        rect(picture, face_box, radius, gradient((120, 40), [(0, rgba(top)), (1, rgba(bottom))]))
        down = 1 if state == "pushed" else 0  # the label sinks with the pushed face
        lay(picture, rgba(ink), text_mask(picture.size, (x + 60, 20 + down), label, face, "mm"))

    return strip((120, 40), cell)


def window_glyph(kind, glyph_hex, cells):
    """Minimise or close glyph cells of 46x32; `cells` gives the cell fill per state."""
    def cell(picture, x, state):
        if cells[state]:
            rect(picture, (x, 0, x + 46, 32), 0, cells[state])
        ink = rgba(glyph_hex, 110 if state == "disabled" else 255)
        if kind == "min":
            rect(picture, (x + 18, 16, x + 28, 17), 0, ink)
        else:
            stroke(picture, [(x + 18.5, 11.5), (x + 27.5, 20.5)], 1.3, ink)
            stroke(picture, [(x + 27.5, 11.5), (x + 18.5, 20.5)], 1.3, ink)

    return strip((46, 32), cell)


DARK_CELLS = {"normal": None, "hot": rgba("#6fb4ff", 120), "pushed": rgba("#0a3f8f", 130),
              "disabled": None}
LIGHT_CELLS = {"normal": None, "hot": rgba("#006dd9", 26), "pushed": rgba("#006dd9", 56),
               "disabled": None}


def folder_button():
    tones = {  # cell backdrop, back of the folder, its front
        "normal": (None, "#7fb3f5", "#3a8bef"),
        "hot": (rgba("#006dd9", 22), "#8cc0ff", "#4b9bff"),
        "pushed": (rgba("#006dd9", 48), "#5e9be6", "#1f6fd4"),
        "disabled": (None, "#dde2e8", "#c7cdd5"),
    }

    def cell(picture, x, state):
        backdrop, back, front = tones[state]
        if backdrop:
            rect(picture, (x + 5, 3, x + 41, 29), 4, backdrop)
        left, top = x + 12, 8
        polygon(picture, [(left, top + 2), (left + 1, top), (left + 8, top), (left + 10, top + 2.5),
                          (left + 21, top + 2.5), (left + 22, top + 3.5), (left + 22, top + 15),
                          (left, top + 15)], rgba(back))  # the back with its tab
        polygon(picture, [(left + 2.5, top + 5.5), (left + 24, top + 5.5), (left + 21.5, top + 16),
                          (left, top + 16)], rgba(front))  # the front, open towards the viewer
        rect(picture, (left + 3.2, top + 6.5, left + 22.6, top + 7.3), 0, rgba("#ffffff", 150))

    return strip((46, 32), cell)


def check_box(ticked):
    picture = Image.new("RGBA", (12, 12), (0, 0, 0, 0))
    if ticked:
        rect(picture, (0, 0, 12, 12), 2.5, rgba("#1677e8"))
        stroke(picture, [(2.9, 6.1), (5.1, 8.3), (9.2, 3.9)], 1.5, rgba("#ffffff"))
    else:
        rect(picture, (0, 0, 12, 12), 2.5, rgba("#a9b3bf"))
        rect(picture, (1, 1, 11, 11), 1.6, rgba("#ffffff"))
    return picture


def edit_frame():
    picture = Image.new("RGBA", (386, 40), (0, 0, 0, 0))
    rect(picture, (0, 0, 386, 40), 5, rgba("#5b9ef0"))
    rect(picture, (1, 1, 385, 39), 4, rgba("#ffffff"))
    return picture


def lettering(size, words):
    """Blue italic lettering centred on transparency: the upright bold face leaned right."""
    face = font(18, bold=True)
    coverage = shear(text_mask(size, (size[0] / 2, size[1] / 2), words, face, "mm"), 0.21, 20)
    left, top, right, bottom = coverage.getbbox()  # centre the ink, not the advance box
    coverage = ImageChops.offset(coverage, round((size[0] - right - left) / 2),
                                 round((size[1] - bottom - top) / 2))
    fill = gradient(size, [(0, rgba("#2a8cf5")), (1, rgba("#0a5fc8"))], "h")
    picture = Image.new("RGBA", size, (0, 0, 0, 0))
    lay(picture, fill, coverage)
    return picture


def draw_all():
    """Every picture of the skin by its member name."""
    pictures = {
        "background/install_txt.png": lettering((190, 25), "安装完成，欢迎使用！"),
        "background/uninstall_txt.png": lettering((260, 25), "卸载完成，感谢您的使用！"),
        "background/edit_bg.png": edit_frame(),
        "button/btn_install.png": button("快速安装", FILLED),
        "button/btn_trynow.png": button("立即体验", FILLED),
        "button/btn_complete2.png": button("完成", OUTLINED_BLUE),
        "button/btn_complete.png": button("完成", FILLED),
        "button/btn_cancel.png": button("取消", OUTLINED_GREY),
        "button/btn_uninstall.png": button("卸载", FILLED),
        "button/btn_select_path.png": folder_button(),
        "button/btn_wnd_dark_min.png": window_glyph("min", "#ffffff", DARK_CELLS),
        "button/btn_wnd_dark_close.png": window_glyph("close", "#ffffff", DARK_CELLS),
        "button/btn_wnd_light_min.png": window_glyph("min", "#4e5660", LIGHT_CELLS),
        "button/btn_wnd_light_close.png": window_glyph("close", "#4e5660", LIGHT_CELLS),
        "checkbox/check_no.png": check_box(False),
        "checkbox/check_yes.png": check_box(True),
    }
    pictures.update(skin_backdrop.draw_all())
    return pictures
