#!/usr/bin/python3
"""Draws the tool's skin pictures (res/png/*.png) and its icon (res/app.ico).

Needs Debian's python3-pil, fonts-wqy-zenhei (Chinese) and fonts-dejavu-core (Latin title).
The pictures are committed; the build does not run this script. Run it again after a change:
    /usr/bin/python3 tools/make_artwork.py
Shapes are drawn at four times the size and scaled down, so that edges come out smooth; small
text is drawn at its final size, where the font's hinting keeps it crisp.
"""

import math
import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

CJK_FONT = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"
LATIN_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
S = 4  # supersampling factor

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")

# Palette shared by every window.
NAVY = (9, 26, 72)            # title band of the main window and its close / minimise buttons
BLUE_TOP = (14, 52, 136)
BLUE_BOTTOM = (25, 96, 214)
WHITE = (255, 255, 255)
INK = (38, 46, 60)            # body text on white
HEADING = (20, 52, 112)
ACCENT = (40, 128, 246)
PALE_BLUE = (188, 214, 255)
BAND_GREY = (241, 243, 246)


# ---------------------------------------------------------------- helpers

def font(size, bold_latin=False):
    return ImageFont.truetype(LATIN_BOLD if bold_latin else CJK_FONT, size)


def big(w, h, color=(0, 0, 0, 0)):
    """A supersampled RGBA canvas for a picture of w x h pixels."""
    return Image.new("RGBA", (w * S, h * S), color)


def down(img, w, h):
    return img.resize((w, h), Image.LANCZOS)


def sc(*values):
    return [v * S for v in values]


def vertical_gradient(w, h, top, bottom):
    mask = Image.linear_gradient("L").resize((w, h))
    return Image.composite(Image.new("RGBA", (w, h), bottom + (255,)),
                           Image.new("RGBA", (w, h), top + (255,)), mask)


def horizontal_gradient(w, h, left, right):
    return vertical_gradient(h, w, left, right).transpose(Image.Transpose.ROTATE_90) \
        .transpose(Image.Transpose.FLIP_TOP_BOTTOM)


def with_alpha(color, alpha):
    return color[:3] + (int(alpha),)


def rounded_mask(w, h, radius):
    """Supersampled mask of a rounded rectangle filling w x h (final pixels)."""
    m = Image.new("L", (w * S, h * S), 0)
    ImageDraw.Draw(m).rounded_rectangle([0, 0, w * S - 1, h * S - 1], radius * S, fill=255)
    return m


def paste_layer(dst, layer, xy=(0, 0)):
    dst.alpha_composite(layer, (int(xy[0]), int(xy[1])))


def text_width(text, f):
    return f.getlength(text)


def draw_text(img, xy, text, size, color, anchor="la", bold=False):
    """Text at final size on a final-size image. Bold is a thin stroke drawn supersampled.
    Anchor "cc" centres the ink itself on xy, which suits captions on small buttons."""
    color = tuple(color) + (255,) * (4 - len(color))
    if anchor == "cc":
        left, top, right, bottom = font(size).getbbox(text, anchor="ls")
        xy = (xy[0] - (left + right) / 2, xy[1] - (top + bottom) / 2)
        anchor = "ls"
    if not bold:
        # Drawn on a clear layer of the same colour, so that a translucent colour blends.
        layer = Image.new("RGBA", img.size, color[:3] + (0,))
        ImageDraw.Draw(layer).text(xy, text, font=font(size), fill=color, anchor=anchor)
        img.alpha_composite(layer)
        return
    fb = font(size * S)
    stroke = S // 2
    left, top, right, bottom = fb.getbbox(text, anchor=anchor, stroke_width=stroke)
    x0 = math.floor(xy[0] + left / S) - 1
    y0 = math.floor(xy[1] + top / S) - 1
    w = math.ceil((right - left) / S) + 3
    h = math.ceil((bottom - top) / S) + 3
    layer = Image.new("RGBA", (w * S, h * S), color[:3] + (0,))
    ImageDraw.Draw(layer).text(((xy[0] - x0) * S, (xy[1] - y0) * S), text, font=fb, fill=color,
                               anchor=anchor, stroke_width=stroke, stroke_fill=color)
    img.alpha_composite(layer.resize((w, h), Image.LANCZOS), (x0, y0))


def big_text_layer(w, h, xy, text, f, color, anchor="la", stroke=0, shear=0.0):
    """Supersampled text layer (final size w x h); shear > 0 slants it to the right."""
    layer = Image.new("RGBA", (w * S, h * S), color[:3] + (0,))
    ImageDraw.Draw(layer).text(sc(*xy), text, font=f, fill=color, anchor=anchor,
                               stroke_width=stroke, stroke_fill=color)
    if shear:
        # x_src = x + shear * (y - y0): slant around the text's baseline row.
        y0 = xy[1] * S
        layer = layer.transform(layer.size, Image.AFFINE, (1, shear, -shear * y0, 0, 1, 0),
                                resample=Image.BICUBIC)
    return down(layer, w, h)


def shadowed_frame(child, canvas_w, canvas_h, left, top, blur, strength, tint=(0, 8, 30)):
    """The frame picture: a transparent canvas with a soft shadow and the child art inside."""
    cw, ch = child.size
    mask = Image.new("L", (canvas_w, canvas_h), 0)
    # The shadow sits a pixel lower than the art, as if lit from above.
    ImageDraw.Draw(mask).rectangle([left - 1, top, left + cw, top + ch + 1], fill=255)
    mask = mask.filter(ImageFilter.GaussianBlur(blur))
    mask = mask.point(lambda v: 0 if v < 3 else int(v * strength))
    frame = Image.new("RGBA", (canvas_w, canvas_h), tint + (0,))
    frame.putalpha(mask)
    frame.alpha_composite(child.convert("RGBA"), (left, top))
    return frame


def rays(w, h, origin, count, alpha_a, alpha_b, spread=1.0):
    """Light rays fanning out from origin, supersampled and slightly blurred."""
    layer = Image.new("RGBA", (w * S, h * S), (255, 255, 255, 0))
    d = ImageDraw.Draw(layer)
    ox, oy = origin[0] * S, origin[1] * S
    reach = (w + h) * S * 2
    step = 2 * math.pi / count
    for i in range(count):
        a0 = i * step
        a1 = a0 + step * 0.45 * spread
        alpha = alpha_a if i % 2 == 0 else alpha_b
        d.polygon([(ox, oy),
                   (ox + reach * math.cos(a0), oy + reach * math.sin(a0)),
                   (ox + reach * math.cos(a1), oy + reach * math.sin(a1))],
                  fill=(255, 255, 255, alpha))
    layer = layer.filter(ImageFilter.GaussianBlur(3 * S))
    return down(layer, w, h)


def radial_glow(w, h, center, radius, color, alpha):
    layer = Image.new("RGBA", (w, h), color + (0,))
    m = Image.new("L", (w, h), 0)
    cx, cy = center
    ImageDraw.Draw(m).ellipse([cx - radius, cy - radius, cx + radius, cy + radius], fill=alpha)
    layer.putalpha(m.filter(ImageFilter.GaussianBlur(radius / 2)))
    return layer


def blue_backdrop(w, h, ray_origin):
    img = vertical_gradient(w, h, BLUE_TOP, BLUE_BOTTOM)
    img.alpha_composite(rays(w, h, ray_origin, 28, 22, 10))
    img.alpha_composite(radial_glow(w, h, ray_origin, 110, (120, 190, 255), 70))
    return img


def brand_mark(size):
    """Our brand mark: a cyan hexagon carrying a white 'H' made of two bars and a bridge."""
    n = size * S
    layer = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    d = ImageDraw.Draw(layer)
    c = n / 2
    r = n / 2 - S * 0.5
    pts = [(c + r * math.cos(math.radians(90 + 60 * k)), c + r * math.sin(math.radians(90 + 60 * k)))
           for k in range(6)]
    grad = vertical_gradient(n, n, (84, 214, 255), (30, 120, 240))
    hexmask = Image.new("L", (n, n), 0)
    ImageDraw.Draw(hexmask).polygon(pts, fill=255)
    layer.paste(grad, (0, 0), hexmask)
    bar = n * 0.13
    d.rounded_rectangle([n * 0.30, n * 0.26, n * 0.30 + bar, n * 0.74], bar / 2, fill=WHITE)
    d.rounded_rectangle([n * 0.70 - bar, n * 0.26, n * 0.70, n * 0.74], bar / 2, fill=WHITE)
    d.polygon([(n * 0.30 + bar, n * 0.52), (n * 0.70 - bar, n * 0.40),
               (n * 0.70 - bar, n * 0.40 + bar), (n * 0.30 + bar, n * 0.52 + bar)], fill=WHITE)
    return layer.resize((size, size), Image.LANCZOS)


def tools_icon(size, color):
    """Wrench and screwdriver crossed, drawn on a transparent square of size pixels."""
    n = size * S
    # Wrench, drawn pointing up, then turned.
    wrench = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    d = ImageDraw.Draw(wrench)
    cx = n / 2
    hw = n * 0.065
    d.rounded_rectangle([cx - hw, n * 0.25, cx + hw, n * 0.92], hw, fill=color)
    head_r = n * 0.17
    d.ellipse([cx - head_r, n * 0.08, cx + head_r, n * 0.08 + 2 * head_r], fill=color)
    # The jaw opening: a slot cut into the head from the top.
    d.rectangle([cx - n * 0.055, 0, cx + n * 0.055, n * 0.2], fill=(0, 0, 0, 0))
    d.ellipse([cx - n * 0.055, n * 0.145, cx + n * 0.055, n * 0.255], fill=(0, 0, 0, 0))
    wrench = wrench.rotate(-45, resample=Image.BICUBIC)
    # Screwdriver: grip below, shaft and flat tip above.
    driver = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    d = ImageDraw.Draw(driver)
    sw = n * 0.035
    d.rectangle([cx - sw, n * 0.12, cx + sw, n * 0.55], fill=color)
    # Flat blade at the tip and a collar where the shaft enters the grip.
    d.polygon([(cx - sw, n * 0.14), (cx + sw, n * 0.14),
               (cx + sw * 1.3, n * 0.05), (cx - sw * 1.3, n * 0.05)], fill=color)
    d.rectangle([cx - sw * 1.7, n * 0.51, cx + sw * 1.7, n * 0.56], fill=color)
    gw = n * 0.095
    d.rounded_rectangle([cx - gw, n * 0.55, cx + gw, n * 0.93], gw * 0.6, fill=color)
    for k in range(3):
        x = cx - gw * 0.45 + k * gw * 0.45
        d.line([(x, n * 0.62), (x, n * 0.86)], fill=(0, 0, 0, 0), width=max(1, int(n * 0.02)))
    driver = driver.rotate(45, resample=Image.BICUBIC)
    out = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    out.alpha_composite(driver)
    out.alpha_composite(wrench)
    return out.resize((size, size), Image.LANCZOS)


def wave_layer(w, h, base, amp, phase, periods, color, alpha):
    """Area below a sine wave, supersampled."""
    layer = Image.new("RGBA", (w * S, h * S), color + (0,))
    pts = []
    for i in range(0, w * S + 1, S):
        x = i / S
        y = base + amp * math.sin(2 * math.pi * periods * x / w + phase) \
            + amp * 0.35 * math.sin(2 * math.pi * periods * 2.3 * x / w + phase * 1.7)
        pts.append((i, y * S))
    pts += [(w * S, h * S), (0, h * S)]
    ImageDraw.Draw(layer).polygon(pts, fill=color + (alpha,))
    return down(layer, w, h)


def wrap_runs(runs, size, width):
    """Breaks (text, bold) runs into lines no wider than width, character by character."""
    f = font(size)
    lines, line, x = [], [], 0.0
    for text, bold in runs:
        for ch in text:
            cw = f.getlength(ch)
            # Chinese typesetting keeps closing punctuation off the start of a line.
            if x + cw > width and ch not in "，。：；！？、":
                lines.append(line)
                line, x = [], 0.0
            line.append((ch, bold, x))
            x += cw
    if line:
        lines.append(line)
    return lines


def draw_runs(img, lines, left, top, size, line_height, color):
    for row, line in enumerate(lines):
        for ch, bold, x in line:
            draw_text(img, (left + x, top + row * line_height), ch, size,
                      color if not bold else HEADING, bold=bold)


# ---------------------------------------------------------------- main window

def main_child():
    w, h = 400, 600
    img = blue_backdrop(w, h, (200, 168))
    d = ImageDraw.Draw(img)
    # Title band with the brand, the family title and room for the version label.
    d.rectangle([0, 0, w, 43], fill=NAVY)
    d.line([(0, 44), (w, 44)], fill=(40, 78, 160))
    img.alpha_composite(brand_mark(22), (12, 12))
    draw_text(img, (42, 23), "Halvex", 15, WHITE, anchor="lm", bold=True)
    draw_text(img, (42 + font(15).getlength("Halvex") + 4, 23), "服务工具", 14, (206, 222, 250),
              anchor="lm")
    d.line([(176, 17), (176, 30)], fill=(62, 94, 160))

    # Title in white italics with a soft glow, a thin accent line and the slogan.
    title = "Dov10arevarez"
    tf = ImageFont.truetype(LATIN_BOLD, 36 * S)
    glow = big_text_layer(w, h, (200, 178), title, tf, (90, 170, 255, 255), anchor="ms",
                          stroke=3 * S, shear=0.2).filter(ImageFilter.GaussianBlur(5))
    img.alpha_composite(glow)
    shadow = big_text_layer(w, h, (201, 180), title, tf, (4, 20, 60, 160), anchor="ms", shear=0.2)
    img.alpha_composite(shadow)
    img.alpha_composite(big_text_layer(w, h, (200, 178), title, tf, (255, 255, 255, 255),
                                       anchor="ms", shear=0.2))
    line = Image.new("RGBA", (w * S, h * S), (0, 0, 0, 0))
    ld = ImageDraw.Draw(line)
    for k in range(60):
        a = int(230 * math.sin(math.pi * k / 59))
        ld.rectangle(sc(140 + k * 2, 192, 142 + k * 2, 193.5), fill=(120, 200, 255, a))
    img.alpha_composite(down(line, w, h))
    draw_text(img, (200, 214), "系统补丁 · 一键卸载 · 安全省心", 14, (214, 230, 255), anchor="mm")

    # The white wave below the Uninstall button, with a translucent wave behind it.
    img.alpha_composite(wave_layer(w, h, 384, 7, 0.8, 1.0, WHITE, 60))
    img.alpha_composite(wave_layer(w, h, 392, 8, 2.6, 1.0, WHITE, 255))

    # Badge with the tools icon, centred over the more-tools button.
    bx, by, br = 74, 470, 40
    badge = Image.new("RGBA", (w * S, h * S), (0, 0, 0, 0))
    bd = ImageDraw.Draw(badge)
    bd.ellipse(sc(bx - br - 4, by - br - 4, bx + br + 4, by + br + 4), fill=(232, 241, 255, 255))
    bd.ellipse(sc(bx - br, by - br, bx + br, by + br), fill=(214, 231, 255, 255))
    bd.ellipse(sc(bx - br + 7, by - br + 7, bx + br - 7, by + br - 7), fill=(246, 250, 255, 255))
    img.alpha_composite(down(badge, w, h))
    img.alpha_composite(tools_icon(46, (37, 110, 228)), (bx - 23, by - 23))

    # The two headed sections.
    left, right = 138, 390
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([left, 412, left + 3, 425], 1, fill=ACCENT)
    draw_text(img, (left + 9, 418.5), "适用系统", 14, HEADING, anchor="lm", bold=True)
    draw_text(img, (left + 9, 432), "Windows 10 32位/64位", 12, INK)
    d.rounded_rectangle([left, 455, left + 3, 468], 1, fill=ACCENT)
    draw_text(img, (left + 9, 461.5), "使用说明", 14, HEADING, anchor="lm", bold=True)
    runs = [("使用说明：本工具用于卸载Win10系统补丁，您需要在输入框中输入您想卸载的补丁号码，"
             "例如4516058，然后点击卸载即可。", False),
            ("注意", True),
            ("：由于微软的系统限制，某些补丁可能无法卸载，是正常现象。", False)]
    lines = wrap_runs(runs, 12, right - left - 9)
    draw_runs(img, lines, left + 9, 475, 12, 16, INK)
    assert 475 + 16 * len(lines) <= 562, "the instructions run into the bottom band"

    # Plain white bottom band for the agreement box and the links.
    d.line([(12, 564), (w - 12, 564)], fill=(233, 237, 244))
    d.rectangle([0, 565, w, h], fill=WHITE)
    return img.convert("RGB")


def frame_button(kind, state):
    """Close (x) and minimise (bar) buttons of the main title band, 26 x 34."""
    w, h = 26, 34
    face = {"normal": NAVY, "hover": (74, 96, 140), "pressed": (58, 78, 120),
            "disabled": NAVY}[state]
    mark = {"normal": (255, 255, 255, 255), "hover": (255, 255, 255, 255),
            "pressed": (255, 255, 255, 120), "disabled": (112, 122, 146, 255)}[state]
    img = big(w, h, face + (255,))
    marks = big(w, h)
    d = ImageDraw.Draw(marks)
    cx, cy = 13, 23.5
    if kind == "close":
        r = 4.5
        d.line(sc(cx - r, cy - r, cx + r, cy + r), fill=mark, width=int(1.6 * S))
        d.line(sc(cx - r, cy + r, cx + r, cy - r), fill=mark, width=int(1.6 * S))
    else:
        d.rectangle(sc(cx - 5, cy - 0.8, cx + 5, cy + 0.8), fill=mark)
    img.alpha_composite(marks)
    return down(img, w, h).convert("RGB")


def uninstall_button(state):
    """The Uninstall bar, 246 x 47, rounded, over the blue background."""
    w, h = 246, 47
    top, bottom = {"normal": ((70, 176, 255), (22, 106, 246)),
                   "hover": ((110, 198, 255), (52, 136, 255)),
                   "pressed": ((20, 96, 214), (12, 70, 170)),
                   "disabled": ((150, 168, 196), (122, 140, 170))}[state]
    img = Image.new("RGBA", (w * S, h * S), (0, 0, 0, 0))
    # Soft drop shadow inside the image bounds.
    sh = Image.new("L", (w * S, h * S), 0)
    ImageDraw.Draw(sh).rounded_rectangle(sc(3, 4, w - 3, h - 0.5), 8 * S, fill=90)
    sh = sh.filter(ImageFilter.GaussianBlur(2 * S))
    shadow = Image.new("RGBA", (w * S, h * S), (4, 24, 70, 0))
    shadow.putalpha(sh)
    if state != "pressed":
        img.alpha_composite(shadow)
    face_mask = Image.new("L", (w * S, h * S), 0)
    ImageDraw.Draw(face_mask).rounded_rectangle(sc(2, 1, w - 2, h - 3), 8 * S, fill=255)
    img.paste(vertical_gradient(w * S, h * S, top, bottom), (0, 0), face_mask)
    d = ImageDraw.Draw(img)
    # Glossy upper half and a fine light rim.
    gloss = Image.new("RGBA", (w * S, h * S), (255, 255, 255, 0))
    gm = Image.new("L", (w * S, h * S), 0)
    ImageDraw.Draw(gm).rounded_rectangle(sc(3, 2, w - 3, h * 0.5), 7 * S, fill=38)
    gloss.putalpha(gm)
    img.alpha_composite(gloss)
    d.rounded_rectangle(sc(2, 1, w - 2, h - 3), 8 * S, outline=(255, 255, 255, 70), width=S)
    img = down(img, w, h)
    caption = (255, 255, 255, 255) if state != "disabled" else (236, 240, 246, 150)
    shift = 1 if state == "pressed" else 0
    draw_text(img, (w / 2 + shift, (h - 2) / 2 + shift), "卸\u3000载", 18, caption, anchor="cc",
              bold=True)
    return img


def more_tools_button(state):
    """Small outlined button, 58 x 18, on the white lower part."""
    w, h = 58, 18
    violet = (92, 92, 230)
    fill, border, text = {"normal": (WHITE, violet, violet),
                          "hover": ((238, 238, 255), (150, 150, 240), (130, 130, 236)),
                          "pressed": (violet, violet, WHITE),
                          "disabled": ((246, 246, 250), (200, 200, 222), (182, 182, 212))}[state]
    img = big(w, h, WHITE + (255,))
    ImageDraw.Draw(img).rounded_rectangle(sc(0.5, 0.5, w - 0.5, h - 0.5), 3 * S, fill=fill,
                                          outline=border, width=S)
    img = down(img, w, h)
    draw_text(img, (w / 2, h / 2), "更多工具", 12, text, anchor="cc")
    return img.convert("RGB")


def checkbox_strip():
    """48 x 16: unchecked box, checked box, and a greyed checked box (unused)."""
    w, h = 48, 16
    img = big(w, h)
    d = ImageDraw.Draw(img)
    d.rounded_rectangle(sc(1.5, 1.5, 14.5, 14.5), 2.5 * S, fill=WHITE, outline=(146, 160, 184),
                        width=S)
    for x0, fill in ((16, ACCENT), (32, (196, 202, 212))):
        d.rounded_rectangle(sc(x0 + 1.5, 1.5, x0 + 14.5, 14.5), 2.5 * S, fill=fill)
        d.line(sc(x0 + 4.3, 8.2, x0 + 7, 10.9, x0 + 11.8, 5.2), fill=WHITE, width=int(1.8 * S),
               joint="curve")
    return down(img, w, h)


# ---------------------------------------------------------------- prompt dialog

def prompt_child():
    w, h = 320, 140
    img = Image.new("RGBA", (w, h), WHITE + (255,))
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, w, 28], fill=BAND_GREY)
    d.line([(0, 29), (w, 29)], fill=(224, 228, 235))
    d.rounded_rectangle([10, 8, 13, 21], 1, fill=ACCENT)
    draw_text(img, (19, 15), "提示", 14, (40, 48, 64), anchor="lm", bold=True)
    return img.convert("RGB")


def prompt_button(label, state):
    """55 x 24 opaque buttons on the white body: blue face, white lettering."""
    w, h = 55, 24
    top, bottom = {"normal": ((70, 150, 255), (36, 112, 240)),
                   "hover": ((106, 176, 255), (66, 140, 255)),
                   "pressed": ((208, 213, 222), (192, 198, 208))}[state]
    img = big(w, h, WHITE + (255,))
    m = Image.new("L", img.size, 0)
    ImageDraw.Draw(m).rounded_rectangle(sc(0, 0, w, h), 3 * S, fill=255)
    img.paste(vertical_gradient(w * S, h * S, top, bottom), (0, 0), m)
    img = down(img, w, h)
    draw_text(img, (w / 2, h / 2), label, 13, WHITE, anchor="cc")
    return img.convert("RGB")


def small_cross(background, mark, size=12):
    img = big(size, size, background + (255,))
    marks = big(size, size)
    d = ImageDraw.Draw(marks)
    a, b = 2.6, size - 2.6
    d.line(sc(a, a, b, b), fill=mark, width=int(1.5 * S))
    d.line(sc(a, b, b, a), fill=mark, width=int(1.5 * S))
    img.alpha_composite(marks)
    return down(img, size, size).convert("RGB")


# ---------------------------------------------------------------- wait dialog

def execute_child():
    w, h = 204, 104
    img = vertical_gradient(w, h, (30, 100, 220), (18, 70, 178))
    img.alpha_composite(rays(w, h, (102, 24), 18, 16, 6))
    # Spinner ring above the text band.
    ring = Image.new("RGBA", (w * S, h * S), (0, 0, 0, 0))
    d = ImageDraw.Draw(ring)
    box = sc(102 - 10, 24 - 10, 102 + 10, 24 + 10)
    d.ellipse(box, outline=(255, 255, 255, 60), width=int(2.5 * S))
    d.arc(box, -90, 150, fill=(255, 255, 255, 255), width=int(2.5 * S))
    img.alpha_composite(down(ring, w, h))
    return img.convert("RGB")


# ---------------------------------------------------------------- feedback dialog

def feedback_child():
    w, h = 400, 468
    img = blue_backdrop(w, h, (200, 96))
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, w, 33], fill=NAVY)
    d.line([(0, 34), (w, 34)], fill=(40, 78, 160))
    img.alpha_composite(brand_mark(18), (10, 8))
    draw_text(img, (34, 17), "Halvex", 13, WHITE, anchor="lm", bold=True)
    draw_text(img, (34 + font(13).getlength("Halvex") + 3, 17), "服务工具", 12, (206, 222, 250),
              anchor="lm")
    # Speech bubble with a question mark, the question and a line under it.
    bubble = Image.new("RGBA", (w * S, h * S), (0, 0, 0, 0))
    bd = ImageDraw.Draw(bubble)
    bd.ellipse(sc(200 - 18, 44, 200 + 18, 78), fill=(255, 255, 255, 255))
    bd.polygon(sc(189, 72, 185, 84, 199, 76), fill=(255, 255, 255, 255))
    bd.text(sc(200, 62), "?", font=ImageFont.truetype(LATIN_BOLD, 23 * S), fill=(32, 104, 226),
            anchor="mm")
    img.alpha_composite(down(bubble, w, h))
    img.alpha_composite(big_text_layer(w, h, (200, 104), "本工具是否解决了您的问题？",
                                       font(20 * S), (255, 255, 255, 255), anchor="mm",
                                       stroke=S // 2))
    draw_text(img, (200, 130), "您的反馈将帮助我们把工具做得更好", 12, PALE_BLUE, anchor="mm")
    img.alpha_composite(wave_layer(w, h, 420, 6, 1.2, 1.0, WHITE, 22))
    img.alpha_composite(wave_layer(w, h, 432, 5, 3.0, 1.2, WHITE, 30))
    draw_text(img, (200, 450), "感谢您使用 Dov10arevarez", 12, (200, 220, 250), anchor="mm")
    return img.convert("RGB")


def feedback_icon(kind, size, color):
    n = size * S
    layer = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    d = ImageDraw.Draw(layer)
    wdt = int(1.6 * S)
    d.ellipse([wdt / 2, wdt / 2, n - wdt / 2, n - wdt / 2], outline=color, width=wdt)
    if kind == "check":
        d.line([(n * 0.28, n * 0.52), (n * 0.45, n * 0.68), (n * 0.73, n * 0.36)], fill=color,
               width=wdt, joint="curve")
    elif kind == "sad":
        d.ellipse([n * 0.32, n * 0.34, n * 0.42, n * 0.44], fill=color)
        d.ellipse([n * 0.58, n * 0.34, n * 0.68, n * 0.44], fill=color)
        d.arc([n * 0.3, n * 0.58, n * 0.7, n * 0.9], 200, 340, fill=color, width=wdt)
    else:
        for x in (0.3, 0.5, 0.7):
            d.ellipse([n * x - n * 0.06, n * 0.44, n * x + n * 0.06, n * 0.56], fill=color)
    return layer.resize((size, size), Image.LANCZOS)


def feedback_button(label, icon, state):
    """266 x 60 with a 9-pixel soft shadow margin around a 248 x 42 pill face."""
    w, h, m = 266, 60, 9
    face_top, face_bottom, text, rim = {
        "normal": (WHITE, (236, 243, 255), (26, 92, 214), None),
        "hover": ((232, 246, 255), (204, 228, 255), (10, 120, 250), (120, 200, 255)),
        "pressed": ((44, 124, 245), (24, 92, 214), WHITE, None),
        "disabled": ((176, 186, 204), (160, 170, 190), (228, 232, 240), None)}[state]
    img = Image.new("RGBA", (w * S, h * S), (0, 0, 0, 0))
    shadow_alpha = {"normal": 120, "hover": 150, "pressed": 60, "disabled": 60}[state]
    sh = Image.new("L", img.size, 0)
    drop = 2 if state != "pressed" else 0.5
    ImageDraw.Draw(sh).rounded_rectangle(sc(m, m + drop, w - m, h - m + drop), 21 * S,
                                         fill=shadow_alpha)
    sh = sh.filter(ImageFilter.GaussianBlur(3.5 * S))
    shadow = Image.new("RGBA", img.size, (0, 10, 40, 0))
    shadow.putalpha(sh)
    img.alpha_composite(shadow)
    fm = Image.new("L", img.size, 0)
    ImageDraw.Draw(fm).rounded_rectangle(sc(m, m, w - m, h - m), 21 * S, fill=255)
    img.paste(vertical_gradient(w * S, h * S, face_top, face_bottom), (0, 0),
              ImageChops.multiply(fm, Image.new("L", img.size, 255)))
    if rim:
        ImageDraw.Draw(img).rounded_rectangle(sc(m, m, w - m, h - m), 21 * S, outline=rim,
                                              width=int(1.5 * S))
    img = down(img, w, h)
    f = font(16)
    shift = 1 if state == "pressed" else 0
    if icon:
        total = 18 + 8 + f.getlength(label)
        x0 = w / 2 - total / 2 + shift
        img.alpha_composite(feedback_icon(icon, 18, text + (255,)), (int(x0), 21 + shift))
        draw_text(img, (x0 + 26 + f.getlength(label) / 2, h / 2 + shift), label, 16, text,
                  anchor="cc", bold=True)
    else:
        draw_text(img, (w / 2 + shift, h / 2 + shift), label, 16, text, anchor="cc", bold=True)
    return img


# ---------------------------------------------------------------- icon

def app_icon():
    n = 256
    img = Image.new("RGBA", (n * S, n * S), (0, 0, 0, 0))
    m = Image.new("L", img.size, 0)
    ImageDraw.Draw(m).rounded_rectangle([8 * S, 8 * S, (n - 8) * S, (n - 8) * S], 52 * S, fill=255)
    img.paste(vertical_gradient(n * S, n * S, (52, 150, 255), (16, 72, 196)), (0, 0), m)
    img = img.resize((n, n), Image.LANCZOS)
    img.alpha_composite(tools_icon(176, WHITE), (40, 40))
    return img


# ---------------------------------------------------------------- output

STATES = ("normal", "hover", "pressed", "disabled")


def pictures():
    """(resource id, file name, image); file names follow the ids' names in resource.h."""
    main = main_child()
    prompt = prompt_child()
    execute = execute_child()
    feedback = feedback_child()
    out = [
        (138, "main_frame", shadowed_frame(main, 410, 611, 5, 4, 2.2, 0.85)),
        (139, "main_child", main),
        (140, "checkbox", checkbox_strip()),
        (145, "execute_frame", shadowed_frame(execute, 232, 132, 14, 12, 5.5, 0.6, (0, 20, 70))),
        (146, "execute_child", execute),
        (151, "prompt_frame", shadowed_frame(prompt, 330, 150, 5, 3, 2.2, 0.7)),
        (152, "prompt_child", prompt),
        (168, "feedback_frame", shadowed_frame(feedback, 410, 479, 5, 4, 2.2, 0.85)),
        (169, "feedback_child", feedback),
    ]
    for i, st in enumerate(STATES):
        out.append((141 + i, "close_" + st, frame_button("close", st)))
        out.append((147 + i, "minimize_" + st, frame_button("minimize", st)))
        out.append((170 + i, "feedback_close_" + st,
                    small_cross({"hover": (74, 96, 140), "pressed": (58, 78, 120)}.get(st, NAVY),
                                {"pressed": (255, 255, 255, 120),
                                 "disabled": (112, 122, 146, 255)}.get(st, WHITE + (255,)))))
        out.append((175 + i, "solved_" + st, feedback_button("问题已解决，继续保持！", "check", st)))
        out.append((180 + i, "uninstall_" + st, uninstall_button(st)))
        out.append((184 + i, "unsolved_" + st, feedback_button("问题未解决，我要吐槽！", "sad", st)))
        out.append((188 + i, "other_" + st, feedback_button("其 他", "more", st)))
        out.append((192 + i, "more_tools_" + st, more_tools_button(st)))
    # Prompt buttons have three images; the pressed one also serves as the disabled one.
    for i, st in enumerate(STATES[:3]):
        out.append((153 + i, "cancel_" + st, prompt_button("取消", st)))
        out.append((156 + i, "prompt_close_" + st,
                    small_cross({"hover": WHITE}.get(st, BAND_GREY),
                                (160, 166, 178, 255) if st == "pressed" else ACCENT + (255,))))
        out.append((159 + i, "no_" + st, prompt_button("否", st)))
        out.append((162 + i, "confirm_" + st, prompt_button("确认", st)))
        out.append((165 + i, "yes_" + st, prompt_button("是", st)))
    return sorted(out)


def main():
    png_dir = os.path.join(OUT, "png")
    os.makedirs(png_dir, exist_ok=True)
    for rid, name, img in pictures():
        img.save(os.path.join(png_dir, "%d_%s.png" % (rid, name)), optimize=True)
    icon = app_icon()
    icon.save(os.path.join(OUT, "app.ico"), sizes=[(16, 16), (24, 24), (32, 32), (48, 48),
                                                   (256, 256)], bitmap_format="bmp")
    return 0


if __name__ == "__main__":
    sys.exit(main())
