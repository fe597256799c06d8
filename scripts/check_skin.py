#!/usr/bin/python3
"""Checks a skin: the settings file and the pictures it names.

    /usr/bin/python3 scripts/check_skin.py [--ini data/Orvanta.ini] [--no-images]
    /usr/bin/python3 scripts/check_skin.py --mockups DIR   # also draw page previews

Checks: plain ASCII with CR LF line ends, values of at most 259 characters,
the shared sections, every control section each page reads (a few may be left
out on purpose, see OMITTED), control rectangles inside the page background,
picture buttons with all four pictures at least as large as the button, no two
visible controls on top of each other, label captions that fit, the list
columns, the text of every numbered message the wizard shows, and (unless
--no-images) that data/Image is exactly what gen_skin_images.py makes.
Exit status 0 when nothing is wrong; warnings do not fail.
"""
import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gen_skin_images as gen  # noqa: E402

from PIL import Image, ImageDraw  # noqa: E402

NAV = ['Exit', 'Back', 'Next']
ADDR = ['IPADDR', 'SUBMASK', 'GATEWAY', 'PRIDNS', 'SECDNS']
LABADDR = ['LABIPADDR', 'LABSUBMASK', 'LABGATEWAY', 'LABPRIDNS', 'LABSECDNS']
SUMMARY = NAV + ['ADMID', 'ADMPWD'] + ADDR + ['LABADMID', 'LABADMPWD'] + LABADDR

# Every control section each page reads, with its kind.
PAGES = {
    'DlgListCam': {'Exit': 'button', 'Next': 'button', 'Search': 'button', 'Link': 'button',
                   'MAbout': 'button', 'WPS': 'button', 'ListCtrl': 'list'},
    'DlgIdPwd': dict(**{n: 'button' for n in NAV},
                     **{n: 'edit' for n in ['ADMID', 'ADMPWD', 'NEWID', 'CHKID', 'NEWPWD', 'CHKPWD']},
                     CKBXID='check', CKBXPWD='check'),
    'DlgNetWork': dict(**{n: 'button' for n in NAV}, **{n: 'text' for n in LABADDR},
                       **{n: 'edit' for n in ADDR}, DHCPON='radio', DHCPOFF='radio'),
    'DlgWirelessSele': dict(**{n: 'button' for n in NAV}, WPS='radio', Wireless='radio'),
    'DlgWireless': dict(**{n: 'button' for n in NAV}, SSID='edit', CHANNEL='combo',
                        WLanON='radio', WLanOFF='radio', SecurityMode='combo',
                        Infrastructure='radio', Adhoc='radio', Open='radio', Shared='radio',
                        Both='radio'),
    'DlgWirelessKey': dict(**{n: 'button' for n in NAV}, KEYLEN='combo', KEYFORMAT='combo',
                           DEFKEY='combo', KEY1='edit', KEY2='edit', KEY3='edit', KEY4='edit',
                           PKEY='edit'),
    'DlgWirelessNEW': dict(**{n: 'button' for n in NAV}, SSID='edit', KEY='edit', CHANNEL='combo',
                           WLanON='radio', WLanOFF='radio', Authentication='combo',
                           Encryption='combo', Infrastructure='radio', Adhoc='radio'),
    'DlgWPSSET': dict(**{n: 'button' for n in NAV}, ProgressCtrl='progress', EDITPIN='edit',
                      LABSelect='text', OPTPBC='radio', OPTPIN='radio', BUTPBCPUSH='button',
                      BUTPINSTART='button', BUTPINREFALSH='push', BUTPINCOPY='push',
                      ADMID='edit', ADMPWD='edit', LABADMID='text', LABADMPWD='text',
                      **{f'LABPBCNOTE{i}': 'text' for i in range(1, 7)},
                      **{f'LABPINNOTE{i}': 'text' for i in range(1, 6)}),
    'DlgNetWorkFinish': {n: ('button' if n in NAV else 'text' if n.startswith('LAB') else 'edit')
                         for n in SUMMARY},
    'DlgWirelessFinish': {n: ('button' if n in NAV else 'text' if n.startswith('LAB') else 'edit')
                          for n in SUMMARY[1:] + ['Wireless', 'SSID', 'CHANNEL', 'KEY1', 'KEY2',
                                                  'KEY3', 'KEY4', 'PKEY', 'LABWireless', 'LABSSID',
                                                  'LABCHANNEL', 'LABKEY1', 'LABKEY2', 'LABKEY3',
                                                  'LABKEY4', 'LABPKEY']},
    'DlgWirelessFinishNEW': {n: ('button' if n in NAV else 'text' if n.startswith('LAB') else 'edit')
                             for n in SUMMARY + ['Wireless', 'SSID', 'CHANNEL', 'AUTH', 'ENCRYPT',
                                                 'KEY', 'LABWireless', 'LABSSID', 'LABCHANNEL',
                                                 'LABAUTH', 'LABENCRYPT', 'LABKEY1']},
    'DlgAbout': {'Project': 'text', 'Ver': 'text', 'Creat': 'text', 'Next': 'button'},
}

# Sections the default skin leaves out on purpose (a missing section gives a
# zero-size control).
OMITTED = {
    'DlgIdPwd.CKBXID': 'the administrator ID is never changed; the page keeps it disabled',
    'DlgIdPwd.NEWID': 'the administrator ID is never changed; the page keeps it disabled',
    'DlgIdPwd.CHKID': 'the administrator ID is never changed; the page keeps it disabled',
}

# Controls that share a place because only one of them is shown at a time.
SHARED_PLACE = [
    {f'DlgWPSSET.{n}' for n in ['LABPBCNOTE1', 'LABPBCNOTE2', 'LABPBCNOTE3', 'LABPBCNOTE4',
                                'LABPBCNOTE5', 'LABPBCNOTE6', 'LABPINNOTE1', 'LABPINNOTE2',
                                'LABPINNOTE3', 'LABPINNOTE4', 'LABPINNOTE5']},
    {'DlgWPSSET.BUTPBCPUSH', 'DlgWPSSET.BUTPINSTART'},
]

MESSAGES = [4, 16, 18, 20, 21, 22, 30, 31, 32, 33, 54, 55, 56, 57, 58, 62, 500,
            2000, 2001, 2002, 2003, 2004, 2005, 2006, 2007, 2008, 3001, 3002, 3003, 3004]

COMBO_H = 26          # closed height of a drop-down list in the default font


class Report:
    def __init__(self):
        self.errors, self.warnings = [], []

    def error(self, text):
        self.errors.append(text)

    def warn(self, text):
        self.warnings.append(text)


def check_text(raw, rep):
    try:
        raw.decode('ascii')
    except UnicodeDecodeError as e:
        rep.error(f'settings file: byte {e.start} is not plain ASCII')
    lf = raw.count(b'\n')
    crlf = raw.count(b'\r\n')
    if lf != crlf:
        rep.error(f'settings file: {lf - crlf} of {lf} lines do not end in CR LF')
    for no, line in enumerate(raw.decode('ascii', 'replace').splitlines(), 1):
        if '=' in line and not line.lstrip().startswith(';'):
            if len(line.split('=', 1)[1].strip()) > gen.MAX_VALUE:
                rep.error(f'settings file line {no}: value longer than {gen.MAX_VALUE} characters')


def control_rect(prof, section, kind):
    return prof.rect(section, default_h=COMBO_H if kind == 'combo' else 0)


def overlaps(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def shared(a, b):
    return any(a in group and b in group for group in SHARED_PLACE)


def check_pages(prof, image_dir, rep):
    font = gen.font(14)
    for page, controls in PAGES.items():
        bg_name = prof.get(page, 'background')
        if not bg_name:
            rep.error(f'{page}: no background')
            continue
        bg_path = os.path.join(image_dir, bg_name)
        if not os.path.exists(bg_path):
            rep.error(f'{page}: background {bg_name} does not exist')
            continue
        bw, bh = Image.open(bg_path).size
        placed = []
        for name, kind in controls.items():
            section = f'{page}.{name}'
            if not prof.has(section):
                if section not in OMITTED:
                    rep.error(f'{section}: section missing')
                continue
            x, y, w, h = control_rect(prof, section, kind)
            if w <= 0 or h <= 0:
                rep.error(f'{section}: empty rectangle {w}x{h}')
            if x < 0 or y < 0 or x + w > bw or y + h > bh:
                rep.error(f'{section}: ({x}, {y}, {w}x{h}) lies outside the {bw}x{bh} background')
            placed.append((section, (x, y, w, h)))
            if kind == 'button':
                check_button(prof, section, (w, h), image_dir, rep)
            caption = prof.get(section, 'caption')
            if kind == 'text' and caption:
                lines = gen.wrap(caption, font, w)
                if len(lines) * 17 > h + 2:
                    rep.warn(f'{section}: caption needs {len(lines)} lines, {h} px tall')
        for i, (sa, ra) in enumerate(placed):
            for sb, rb in placed[i + 1:]:
                if overlaps(ra, rb) and not shared(sa, sb):
                    rep.error(f'{sa} and {sb} overlap')
    known = {f'{p}.{n}'.lower() for p, c in PAGES.items() for n in c} | {p.lower() for p in PAGES}
    known |= {'image', 'main.font', 'main.page', 'message', 'dlglistcam.listctrl'}
    for name, _ in prof.sections:
        if name.lower() not in known:
            rep.warn(f'[{name}]: no page reads this section')


def check_button(prof, section, size, image_dir, rep):
    for key in ['normalImage', 'downImage', 'hoverImage', 'disableImage']:
        name = prof.get(section, key)
        if not name:
            (rep.error if key == 'normalImage' else rep.warn)(f'{section}: no {key}')
            continue
        path = os.path.join(image_dir, name)
        if not os.path.exists(path):
            rep.error(f'{section}: {key} {name} does not exist')
            continue
        iw, ih = Image.open(path).size
        if iw < size[0] or ih < size[1]:
            rep.error(f'{section}: {name} is {iw}x{ih}, smaller than the button {size[0]}x{size[1]}')


def check_shared(prof, rep):
    if prof.get('Image', 'path', 'Image') != 'Image':
        rep.warn('[Image] path is not the default folder')
    for key in ['Font_Style', 'Font_Size', 'Font_Weight']:
        if not prof.get('Main.Font', key):
            rep.warn(f'[Main.Font] {key} missing; the default applies')
    for key in ['WPS_Show', 'ONLY_WIRELLESSNEW']:
        if not prof.get('Main.Page', key):
            rep.warn(f'[Main.Page] {key} missing; 0 applies')
    lc = 'DlgListCam.ListCtrl'
    count = prof.get_int(lc, 'count')
    titles = {}
    for n in range(count):
        index = prof.get_int(lc, f'{n}.index', -1)
        index = n if index == -1 else index
        if index >= 0:
            titles[index] = prof.get(lc, f'{n}.column')
    if not titles.get(0):
        rep.error(f'{lc}: no column 0, so no row would ever be shown')
    for word in ['Model', 'Name', 'IP', 'MAC']:
        if not any(word in t for t in titles.values()):
            rep.error(f'{lc}: no column shows {word}')
    for number in MESSAGES:
        text = prof.get('Message', f'Message{number}')
        if not text or text == '0':
            rep.error(f'[Message] Message{number} has no text')


def draw_mockup(prof, page, image_dir, state):
    """A preview of a page: background, picture buttons and stand-ins for the
    system controls (edits, lists, radios), in the state named."""
    img = Image.open(os.path.join(image_dir, prof.get(page, 'background'))).convert('RGB')
    d = ImageDraw.Draw(img)
    f = gen.font(13)
    hidden = set()
    if page == 'DlgWPSSET':
        pin = state == 'pin'
        hidden = {'ProgressCtrl', 'LABPBCNOTE6'}
        hidden |= ({f'LABPBCNOTE{i}' for i in range(1, 6)} | {'BUTPBCPUSH'} if pin else
                   {f'LABPINNOTE{i}' for i in range(1, 6)} | {'EDITPIN', 'BUTPINSTART',
                                                            'BUTPINREFALSH', 'BUTPINCOPY'})
    for name, kind in PAGES[page].items():
        section = f'{page}.{name}'
        if not prof.has(section) or name in hidden:
            continue
        x, y, w, h = control_rect(prof, section, kind)
        caption = prof.get(section, 'caption')
        if kind == 'button':
            pic = Image.open(os.path.join(image_dir, prof.get(section, 'normalImage'))).convert('RGB')
            img.paste(pic.crop((0, 0, w, h)), (x, y))
        elif kind == 'text':
            text = caption or ('Version:  1.0.0.0' if name == 'Ver' else '')
            for i, line in enumerate(gen.wrap(text, f, w)):
                d.text((x, y + 17 * i), line, font=f, fill=(0, 0, 0))
        elif kind in ('edit', 'combo'):
            d.rectangle((x, y, x + w - 1, y + h - 1), fill=(255, 255, 255), outline=(160, 170, 182))
            if kind == 'combo':
                d.text((x + w - 14, y + h / 2), 'v', font=f, fill=(90, 100, 110), anchor='mm')
        elif kind in ('radio', 'check'):
            cy = y + h / 2
            if kind == 'radio':
                d.ellipse((x + 2, cy - 6, x + 14, cy + 6), fill=(255, 255, 255), outline=(120, 130, 140))
            else:
                d.rectangle((x + 2, cy - 6, x + 14, cy + 6), fill=(255, 255, 255), outline=(120, 130, 140))
            d.text((x + 20, cy), caption, font=f, fill=(0, 0, 0), anchor='lm')
        elif kind == 'push':
            d.rounded_rectangle((x, y, x + w - 1, y + h - 1), 3, fill=(240, 240, 240), outline=(160, 160, 160))
            d.text((x + w / 2, y + h / 2), prof.get(section, 'Caption'), font=f, fill=(0, 0, 0), anchor='mm')
        elif kind == 'progress':
            d.rectangle((x, y, x + w - 1, y + h - 1), fill=(230, 230, 230), outline=(180, 180, 180))
        elif kind == 'list':
            d.rectangle((x, y, x + w - 1, y + h - 1), fill=(255, 255, 255), outline=(160, 170, 182))
            cx = x + 2
            lc = 'DlgListCam.ListCtrl'
            for n in range(prof.get_int(lc, 'count')):
                cw = prof.get_int(lc, f'{n}.width')
                d.rectangle((cx, y + 2, cx + cw - 1, y + 24), fill=(245, 245, 245), outline=(215, 215, 215))
                d.text((cx + 6, y + 13), prof.get(lc, f'{n}.column'), font=f, fill=(0, 0, 0), anchor='lm')
                cx += cw
    return img


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--ini', default=gen.INI)
    ap.add_argument('--no-images', action='store_true', help='skip comparing data/Image with the generator')
    ap.add_argument('--mockups', metavar='DIR', help='also draw a preview of every page into DIR')
    args = ap.parse_args()
    rep = Report()
    raw = open(args.ini, 'rb').read()
    check_text(raw, rep)
    prof = gen.Profile(raw.decode('utf-8', 'replace'))
    image_dir = os.path.join(os.path.dirname(os.path.abspath(args.ini)), prof.get('Image', 'path', 'Image'))
    check_shared(prof, rep)
    check_pages(prof, image_dir, rep)
    if not args.no_images:
        made = gen.build(prof)
        for name, data in sorted(made.items()):
            path = os.path.join(image_dir, name)
            if not os.path.exists(path) or open(path, 'rb').read() != data:
                rep.error(f'{name}: not what gen_skin_images.py makes; run it again')
    if args.mockups:
        os.makedirs(args.mockups, exist_ok=True)
        for page in PAGES:
            if prof.get(page, 'background'):
                draw_mockup(prof, page, image_dir, '').save(os.path.join(args.mockups, page + '.png'))
        draw_mockup(prof, 'DlgWPSSET', image_dir, 'pin').save(os.path.join(args.mockups, 'DlgWPSSET-pin.png'))
    for w in rep.warnings:
        print('warning:', w)
    for e in rep.errors:
        print('error:', e)
    print(f'check_skin: {len(rep.errors)} errors, {len(rep.warnings)} warnings')
    return 1 if rep.errors else 0


if __name__ == '__main__':
    sys.exit(main())
