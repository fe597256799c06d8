#!/usr/bin/python3
"""Draws the pictures of the default skin (data/Image) from data/Orvanta.ini.

Page backgrounds carry the header, the page title and the labels of controls
that have no label of their own; every picture button is drawn over the piece
of its page background it covers, so rounded corners blend in. Positions come
from the settings file, words and decoration from the tables below. Run it
again after moving a labelled control or a picture button:

    /usr/bin/python3 scripts/gen_skin_images.py            # write data/Image
    /usr/bin/python3 scripts/gen_skin_images.py --check    # compare only

Needs Debian's python3-pil and fonts-dejavu-core; no network.
"""
import argparse
import io
import os
import sys

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
INI = os.path.join(ROOT, 'data', 'Orvanta.ini')
FONT_DIR = '/usr/share/fonts/truetype/dejavu'

MAX_VALUE = 259


class Profile:
    def __init__(self, text):
        self.sections = []          # [(name, [(key, value)])] in file order
        self._index = {}
        current = None
        for raw in text.splitlines():
            line = raw.strip()
            if not line or line.startswith(';'):
                continue
            if line.startswith('[') and ']' in line:
                name = line[1:line.index(']')].strip()
                current = []
                self.sections.append((name, current))
                self._index.setdefault(name.lower(), current)
                continue
            if current is None or '=' not in line:
                continue
            key, value = line.split('=', 1)
            current.append((key.strip(), value.strip()))

    @classmethod
    def load(cls, path):
        with open(path, 'rb') as f:
            return cls(f.read().decode('utf-8'))

    def has(self, section):
        return section.lower() in self._index

    def get(self, section, key, default=''):
        for k, v in self._index.get(section.lower(), []):
            if k.lower() == key.lower():
                v = v[:MAX_VALUE]
                return v if v else default
        return default

    def get_int(self, section, key, default=0):
        value = self.get(section, key, None)
        return default if value is None else wtoi(value)

    def rect(self, section, default_h=0):
        """(x, y, w, h) of a control section; h falls back to default_h when
        the section gives none (drop-down lists have no h)."""
        h = self.get_int(section, 'h', 0) or default_h
        return (self.get_int(section, 'x'), self.get_int(section, 'y'),
                self.get_int(section, 'w'), h)

    def page_names(self):
        return [name for name, _ in self.sections
                if '.' not in name and self.get(name, 'background')]

    def controls(self, page):
        prefix = page.lower() + '.'
        return [name for name, _ in self.sections if name.lower().startswith(prefix)]


def wtoi(text):
    """Optional blanks, optional sign, leading digits; anything else is 0."""
    s = text.lstrip(' \t')
    sign = 1
    if s[:1] in '+-' and s[:1]:
        sign = -1 if s[0] == '-' else 1
        s = s[1:]
    digits = ''
    for ch in s:
        if not ch.isdigit():
            break
        digits += ch
    return sign * int(digits) if digits else 0


# ------------------------------------------------------------------ palette
PAGE_W, PAGE_H = 640, 480
HEADER_H = 60
FOOTER_Y = 420
SS = 4                      # supersampling factor for shapes

INK = (27, 42, 58)
MUTED = (90, 107, 125)
LABEL = (45, 62, 80)
ACCENT = (23, 105, 170)
TEAL = (25, 179, 201)
HEAD_L = (13, 40, 72)
HEAD_R = (22, 104, 168)
FOOTER = (243, 246, 249)
RULE = (222, 229, 236)
CARD = (245, 248, 252)
CARD_EDGE = (221, 230, 240)
WHITE = (255, 255, 255)


def font(size, bold=False):
    name = 'DejaVuSans-Bold.ttf' if bold else 'DejaVuSans.ttf'
    return ImageFont.truetype(os.path.join(FONT_DIR, name), size,
                              layout_engine=ImageFont.Layout.BASIC)


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


def h_gradient(w, h, left, right):
    row = Image.new('RGB', (w, 1))
    row.putdata([lerp(left, right, x / max(1, w - 1)) for x in range(w)])
    return row.resize((w, h))


def v_gradient(w, h, top, bottom):
    col = Image.new('RGB', (1, h))
    col.putdata([lerp(top, bottom, y / max(1, h - 1)) for y in range(h)])
    return col.resize((w, h))


def shape_layer(w, h):
    """A supersampled transparent layer and its draw object."""
    layer = Image.new('RGBA', (w * SS, h * SS), (0, 0, 0, 0))
    return layer, ImageDraw.Draw(layer)


def flatten(img, layer):
    small = layer.resize(img.size, Image.LANCZOS)
    img.paste(small, (0, 0), small)


def s(*v):
    return [int(round(x * SS)) for x in v]


# ------------------------------------------------------------------- icons
def draw_icon(d, kind, cx, cy, color, r=6.0):
    """Line icons on a supersampled draw object, centred at (cx, cy)."""
    lw = max(1, int(round(1.8 * SS)))
    c = color
    if kind == 'next':
        d.line(s(cx - r, cy, cx + r, cy), fill=c, width=lw)
        d.line(s(cx + r * 0.2, cy - r * 0.75, cx + r, cy, cx + r * 0.2, cy + r * 0.75),
               fill=c, width=lw, joint='curve')
    elif kind == 'back':
        d.line(s(cx - r, cy, cx + r, cy), fill=c, width=lw)
        d.line(s(cx - r * 0.2, cy - r * 0.75, cx - r, cy, cx - r * 0.2, cy + r * 0.75),
               fill=c, width=lw, joint='curve')
    elif kind == 'exit':
        k = r * 0.7
        d.line(s(cx - k, cy - k, cx + k, cy + k), fill=c, width=lw)
        d.line(s(cx - k, cy + k, cx + k, cy - k), fill=c, width=lw)
    elif kind == 'search':
        d.ellipse(s(cx - r, cy - r, cx + r * 0.4, cy + r * 0.4), outline=c, width=lw)
        d.line(s(cx + r * 0.25, cy + r * 0.25, cx + r, cy + r), fill=c, width=lw + SS // 2)
    elif kind == 'web':
        d.ellipse(s(cx - r, cy - r, cx + r, cy + r), outline=c, width=lw)
        d.ellipse(s(cx - r * 0.45, cy - r, cx + r * 0.45, cy + r), outline=c, width=lw)
        d.line(s(cx - r, cy, cx + r, cy), fill=c, width=lw)
    elif kind == 'wps':
        for k in (1.0, 0.62):
            d.arc(s(cx - r * k * 1.3, cy - r * k * 1.3 + r * 0.55, cx + r * k * 1.3, cy + r * k * 1.3 + r * 0.55),
                  225, 315, fill=c, width=lw)
        d.ellipse(s(cx - 1.5, cy + r * 0.55 - 1.5, cx + 1.5, cy + r * 0.55 + 1.5), fill=c)
    elif kind == 'about':
        d.ellipse(s(cx - r, cy - r, cx + r, cy + r), outline=c, width=lw)
        d.line(s(cx, cy - r * 0.1, cx, cy + r * 0.55), fill=c, width=lw)
        d.ellipse(s(cx - 1.2, cy - r * 0.55 - 1.2, cx + 1.2, cy - r * 0.55 + 1.2), fill=c)
    elif kind == 'start':
        d.polygon(s(cx - r * 0.6, cy - r * 0.85, cx + r * 0.85, cy, cx - r * 0.6, cy + r * 0.85), fill=c)
    elif kind == 'check':
        d.line(s(cx - r * 0.85, cy, cx - r * 0.2, cy + r * 0.65, cx + r * 0.9, cy - r * 0.7),
               fill=c, width=lw, joint='curve')


# ----------------------------------------------------------------- buttons
# Picture name (without state suffix and .png) -> label, look, icon, icon side.
BUTTONS = {
    'btn_next': ('Next', 'primary', 'next', 'right'),
    'btn_apply': ('Apply', 'primary', 'check', 'left'),
    'btn_ok': ('OK', 'primary', 'check', 'left'),
    'btn_start': ('Start', 'primary', 'start', 'left'),
    'btn_back': ('Back', 'secondary', 'back', 'left'),
    'btn_exit': ('Exit', 'secondary', 'exit', 'left'),
    'btn_about': ('About', 'secondary', 'about', 'left'),
    'btn_search': ('Search again', 'secondary', 'search', 'left'),
    'btn_web': ('Open web page', 'secondary', 'web', 'left'),
    'btn_wps': ('WPS set-up', 'secondary', 'wps', 'left'),
}
STATES = {'normal': '', 'down': '_down', 'hover': '_hover', 'disabled': '_disabled'}

LOOKS = {
    # state: (fill top, fill bottom, border, text, shadow alpha)
    'primary': {
        'normal': ((36, 128, 201), (23, 105, 170), (19, 92, 150), WHITE, 40),
        'hover': ((56, 148, 219), (33, 122, 192), (26, 106, 170), WHITE, 50),
        'down': ((18, 84, 137), (20, 90, 146), (14, 72, 120), (226, 238, 250), 0),
        'disabled': ((190, 204, 218), (183, 198, 213), (176, 191, 207), (241, 245, 249), 0),
    },
    'secondary': {
        'normal': (WHITE, (247, 249, 251), (196, 207, 218), (35, 56, 77), 28),
        'hover': ((240, 247, 254), (230, 241, 252), (127, 174, 219), ACCENT, 36),
        'down': ((214, 231, 247), (222, 236, 249), (95, 151, 204), (17, 86, 141), 0),
        'disabled': ((248, 250, 251), (245, 247, 249), (223, 229, 235), (168, 179, 191), 0),
    },
}


def draw_button(crop, name, state):
    label, look, icon, side = BUTTONS[name]
    top, bottom, border, ink, shadow = LOOKS[look][state]
    w, h = crop.size
    img = crop.convert('RGB')
    radius = min(8, h // 2 - 2)
    layer, d = shape_layer(w, h)
    inset = 1.0
    if shadow:
        d.rounded_rectangle(s(inset, inset + 1.2, w - inset, h - inset + 0.6), radius * SS,
                            fill=(10, 30, 60, shadow))
    mask = Image.new('L', layer.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle(s(inset, inset, w - inset, h - inset - 0.6), radius * SS, fill=255)
    fill = v_gradient(layer.size[0], layer.size[1], top, bottom).convert('RGBA')
    layer.paste(fill, (0, 0), mask)
    d.rounded_rectangle(s(inset, inset, w - inset, h - inset - 0.6), radius * SS, outline=border + (255,),
                        width=SS)
    flatten(img, layer)

    f = font(13, bold=True)
    shift = 1 if state == 'down' else 0
    tw = f.getlength(label)
    gap, iw = 8, 13
    total = tw + gap + iw
    x0 = (w - total) / 2
    cy = h / 2 + shift
    if side == 'left':
        icon_cx, text_x = x0 + iw / 2, x0 + iw + gap
    else:
        icon_cx, text_x = x0 + tw + gap + iw / 2, x0
    layer, d = shape_layer(w, h)
    draw_icon(d, icon, icon_cx, cy, ink + (255,))
    flatten(img, layer)
    ImageDraw.Draw(img).text((round(text_x), round(cy)), label, font=f, fill=ink, anchor='lm')
    return img


# ------------------------------------------------------------------- pages
# Per page: title, description lines and decoration. Labels are placed left of
# the control section they name, centred on its height.
LX = 48         # label column of the form pages

PAGES = {
    'DlgListCam': {
        'title': 'Select a camera',
        'text': ['These cameras were found on your network. Select yours and click Next.'],
        'items': [],
    },
    'DlgIdPwd': {
        'title': 'Sign in to the camera',
        'text': ['Enter the administrator ID and password of the camera.'],
        'items': [
            ('label', 'Administrator ID', 'ADMID', LX),
            ('label', 'Password', 'ADMPWD', LX),
            ('rule', 214, LX, 592),
            ('label', 'New password', 'NEWPWD', LX + 24),
            ('label', 'Confirm password', 'CHKPWD', LX + 24),
            ('info', 'The ID and password are the ones you use to sign in to the '
                     "camera's web page.", LX, 346, 544, 44),
        ],
    },
    'DlgNetWork': {
        'title': 'Network settings',
        'text': ['Choose how the camera gets its IP address on your network.'],
        'items': [
            ('info', 'Most networks give out addresses automatically (DHCP). Use a '
                     'fixed address when the camera must always be found at the '
                     'same place.', 436, 198, 180, 162),
        ],
    },
    'DlgWirelessSele': {
        'title': 'Wireless set-up',
        'text': ['How would you like to connect the camera to your wireless network?'],
        'items': [
            ('card', LX, 136, 544, 86),
            ('note', 'The quick way: press the WPS button on your router, or enter '
                     'a PIN the wizard shows you.', 92, 178, 480),
            ('card', LX, 240, 544, 86),
            ('note', 'Enter the network name, the security type and the key yourself.',
             92, 282, 480),
        ],
    },
    'DlgWireless': {
        'title': 'Wireless settings',
        'text': ["Choose the wireless network the camera should join."],
        'items': [
            ('label', 'Wireless network', 'WLanON', LX),
            ('label', 'Network name (SSID)', 'SSID', LX),
            ('label', 'Network type', 'Infrastructure', LX),
            ('label', 'Channel', 'CHANNEL', LX),
            ('label', 'Security', 'SecurityMode', LX),
            ('label', 'Authentication', 'Open', LX),
            ('note', 'The keys for WEP or WPA are entered on the next page.', LX, 362, 544),
        ],
    },
    'DlgWirelessKey': {
        'title': 'Wireless security key',
        'text': ['Enter the WEP keys or the WPA pass phrase of your wireless network.'],
        'items': [
            ('label', 'Key length', 'KEYLEN', LX),
            ('label', 'Key format', 'KEYFORMAT', LX),
            ('label', 'Default key', 'DEFKEY', LX),
            ('info', 'A 64-bit key has 5 characters or 10 hex digits, a 128-bit '
                     'key 13 characters or 26 hex digits.', 400, 132, 216, 90),
            ('rule', 232, LX, 592),
            ('label', 'WEP key 1', 'KEY1', LX),
            ('label', 'WEP key 2', 'KEY2', LX),
            ('label', 'WEP key 3', 'KEY3', LX),
            ('label', 'WEP key 4', 'KEY4', LX),
            ('rule', 368, LX, 592),
            ('label', 'WPA pass phrase', 'PKEY', LX),
            ('note', '8 to 64 characters', 484, 384, 132),
        ],
    },
    'DlgWirelessNEW': {
        'title': 'Wireless settings',
        'text': ['Choose the wireless network the camera should join and its security.'],
        'items': [
            ('label', 'Wireless network', 'WLanON', LX),
            ('label', 'Network name (SSID)', 'SSID', LX),
            ('label', 'Network type', 'Infrastructure', LX),
            ('label', 'Channel', 'CHANNEL', LX),
            ('label', 'Authentication', 'Authentication', LX),
            ('label', 'Encryption', 'Encryption', LX),
            ('label', 'Key', 'KEY', LX),
            ('note', 'WEP: 5 or 13 characters, or 10 or 26 hex digits. '
                     'WPA: 8 to 63 characters, or 64 hex digits.', 232, 374, 384),
        ],
    },
    'DlgWPSSET': {
        'title': 'WPS set-up',
        'text': ['Connect the camera to your wireless router with Wi-Fi Protected Setup.'],
        'items': [
            ('card', 40, 204, 576, 164),
        ],
    },
    'DlgNetWorkFinish': {
        'title': 'Review and apply',
        'text': ['Check the settings below, then click Apply to write them into the camera.'],
        'items': [
            ('heading', 'Administrator', LX, 132, 400),
            ('heading', 'Network', LX, 218, 400),
            ('info', 'Applying can take a moment: the camera may restart with its '
                     'new settings. The wizard then searches for cameras again.',
             456, 152, 160, 128),
        ],
    },
    'DlgWirelessFinish': {
        'title': 'Review and apply',
        'text': ['Check the settings below, then click Apply to write them into the camera.'],
        'items': [
            ('heading', 'Administrator', 24, 132, 272),
            ('heading', 'Network', 24, 218, 272),
            ('heading', 'Wireless', 328, 132, 288),
        ],
    },
    'DlgWirelessFinishNEW': {
        'title': 'Review and apply',
        'text': ['Check the settings below, then click Apply to write them into the camera.'],
        'items': [
            ('heading', 'Administrator', 24, 132, 272),
            ('heading', 'Network', 24, 218, 272),
            ('heading', 'Wireless', 328, 132, 288),
            ('info', 'The camera may restart with its new settings.', 328, 338, 288, 40),
        ],
    },
    'DlgAbout': {
        'hero': True,
        'items': [('rule', 212, LX, 592)],
    },
}


def wrap(text, f, width):
    lines, line = [], ''
    for word in text.split():
        trial = (line + ' ' + word).strip()
        if f.getlength(trial) <= width or not line:
            line = trial
        else:
            lines.append(line)
            line = word
    if line:
        lines.append(line)
    return lines


def draw_logo(img, cx, cy, r):
    """The lens mark: a ring with a bright pupil and a small glint."""
    layer, d = shape_layer(*img.size)
    d.ellipse(s(cx - r, cy - r, cx + r, cy + r), outline=(255, 255, 255, 255), width=int(r * 0.22 * SS))
    k = r * 0.42
    d.ellipse(s(cx - k, cy - k, cx + k, cy + k), fill=TEAL + (255,))
    g = r * 0.14
    d.ellipse(s(cx + k * 0.25 - g, cy - k * 0.25 - g, cx + k * 0.25 + g, cy - k * 0.25 + g),
              fill=(255, 255, 255, 230))
    flatten(img, layer)


def draw_header(img, height, big=False):
    img.paste(h_gradient(PAGE_W, height, HEAD_L, HEAD_R), (0, 0))
    layer, d = shape_layer(PAGE_W, height)
    for cx, cy, r, a in ((560, -30, 120, 18), (640, 40, 90, 14), (470, height + 10, 70, 10)):
        d.ellipse(s(cx - r, cy - r, cx + r, cy + r), fill=(255, 255, 255, a))
    small = layer.resize((PAGE_W, height), Image.LANCZOS)
    img.paste(small, (0, 0), small)
    img.paste(h_gradient(PAGE_W, 3, TEAL, HEAD_R), (0, height))
    dr = ImageDraw.Draw(img)
    if big:
        draw_logo(img, 88, height // 2, 34)
        dr.text((140, height // 2 - 4), 'Orvanta', font=font(40, True), fill=WHITE, anchor='ls')
        dr.text((142, height // 2 + 24), 'Camera Setup Wizard', font=font(16), fill=(214, 231, 246),
                anchor='ls')
    else:
        draw_logo(img, 38, height // 2, 13)
        dr.text((60, height // 2), 'Orvanta', font=font(22, True), fill=WHITE, anchor='lm')
        dr.text((PAGE_W - 24, height // 2), 'Camera Setup Wizard', font=font(12),
                fill=(200, 220, 240), anchor='rm')


def draw_footer(img):
    dr = ImageDraw.Draw(img)
    dr.rectangle((0, FOOTER_Y, PAGE_W, PAGE_H), fill=FOOTER)
    dr.line((0, FOOTER_Y, PAGE_W, FOOTER_Y), fill=RULE)


def rounded(img, box, fill, edge):
    x, y, w, h = box
    layer, d = shape_layer(*img.size)
    d.rounded_rectangle(s(x, y, x + w, y + h), 8 * SS, fill=fill + (255,), outline=edge + (255,), width=SS)
    flatten(img, layer)


def draw_items(img, prof, page, items):
    dr = ImageDraw.Draw(img)
    for item in items:
        kind = item[0]
        if kind == 'label':
            _, text, anchor, x = item
            ax, ay, aw, ah = prof.rect(page + '.' + anchor, default_h=26)
            dr.text((x, ay + ah / 2), text, font=font(13), fill=LABEL, anchor='lm')
        elif kind == 'rule':
            _, y, x0, x1 = item
            dr.line((x0, y, x1, y), fill=RULE)
        elif kind == 'card':
            rounded(img, item[1:], CARD, CARD_EDGE)
            dr = ImageDraw.Draw(img)
        elif kind == 'note':
            _, text, x, y, w = item
            for i, line in enumerate(wrap(text, font(12), w)):
                dr.text((x, y + 17 * i), line, font=font(12), fill=MUTED)
        elif kind == 'heading':
            _, text, x, y, w = item
            f = font(12, True)
            dr.text((x, y), text.upper(), font=f, fill=ACCENT)
            tw = f.getlength(text.upper())
            dr.line((x + tw + 10, y + 8, x + w, y + 8), fill=RULE)
        elif kind == 'info':
            _, text, x, y, w, h = item
            lines = wrap(text, font(12), w - 48)
            h = max(h, 22 + 17 * len(lines))     # grow to fit the text
            rounded(img, (x, y, w, h), (238, 246, 253), (205, 225, 244))
            layer, d = shape_layer(*img.size)
            draw_icon(d, 'about', x + 18, y + 19, ACCENT + (255,), r=7)
            flatten(img, layer)
            dr = ImageDraw.Draw(img)
            for i, line in enumerate(lines):
                dr.text((x + 34, y + 12 + 17 * i), line, font=font(12), fill=(44, 74, 104))


def draw_background(prof, page):
    spec = PAGES[page]
    img = Image.new('RGB', (PAGE_W, PAGE_H), WHITE)
    if spec.get('hero'):
        draw_header(img, 190, big=True)
    else:
        draw_header(img, HEADER_H)
        dr = ImageDraw.Draw(img)
        dr.text((24, 78), spec['title'], font=font(19, True), fill=INK)
        for i, line in enumerate(spec['text']):
            dr.text((24, 104 + 18 * i), line, font=font(13), fill=MUTED)
    draw_footer(img)
    draw_items(img, prof, page, spec['items'])
    return img


# -------------------------------------------------------------------- main
def png_bytes(img):
    out = io.BytesIO()
    img.save(out, format='PNG', optimize=True)
    return out.getvalue()


def build(prof):
    """All pictures the settings file names, as {file name: PNG bytes}."""
    files = {}
    backgrounds = {}
    for page in prof.page_names():
        if page not in PAGES:
            sys.exit(f'gen_skin_images: no decoration table for page {page}')
        bg = draw_background(prof, page)
        backgrounds[page] = bg
        files[prof.get(page, 'background')] = png_bytes(bg)
    made = {}
    for page, bg in backgrounds.items():
        for section in prof.controls(page):
            normal = prof.get(section, 'normalImage')
            if not normal:
                continue
            base = normal[:-4] if normal.lower().endswith('.png') else normal
            if base not in BUTTONS:
                sys.exit(f'gen_skin_images: {section}: no button style for {normal}')
            x, y, w, h = prof.rect(section)
            crop = bg.crop((x, y, x + w, y + h))
            for state, suffix in STATES.items():
                key = {'normal': 'normalImage', 'down': 'downImage', 'hover': 'hoverImage',
                       'disabled': 'disableImage'}[state]
                name = prof.get(section, key)
                if name != base + suffix + '.png':
                    sys.exit(f'gen_skin_images: {section}: {key} should be {base + suffix}.png')
                data = png_bytes(draw_button(crop, base, state))
                if name in made and made[name][1] != data:
                    sys.exit(f'gen_skin_images: {name} differs between {made[name][0]} and {section}: '
                             'give the button the same size and the same background under it')
                made.setdefault(name, (section, data))
                files[name] = data
    return files


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--check', action='store_true', help='compare with data/Image, write nothing')
    ap.add_argument('--out', default=os.path.join(ROOT, 'data', 'Image'))
    args = ap.parse_args()
    files = build(Profile.load(INI))
    if args.check:
        bad = []
        for name, data in sorted(files.items()):
            path = os.path.join(args.out, name)
            if not os.path.exists(path) or open(path, 'rb').read() != data:
                bad.append(name)
        extra = sorted(set(os.listdir(args.out)) - set(files)) if os.path.isdir(args.out) else []
        for name in bad:
            print(f'differs or missing: {name}')
        for name in extra:
            print(f'not made by the generator: {name}')
        return 1 if bad or extra else 0
    os.makedirs(args.out, exist_ok=True)
    for name in os.listdir(args.out):
        if name not in files and name.lower().endswith('.png'):
            os.remove(os.path.join(args.out, name))
    total = 0
    for name, data in sorted(files.items()):
        with open(os.path.join(args.out, name), 'wb') as f:
            f.write(data)
        total += len(data)
    print(f'gen_skin_images: {len(files)} pictures, {total // 1024} KB in {args.out}')
    return 0


if __name__ == '__main__':
    sys.exit(main())
