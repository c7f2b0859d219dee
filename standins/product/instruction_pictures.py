"""The pictures of the demo instructions page: drawn as SVG and rasterised with
rsvg-convert (the product's logo with a transparent background, two views of the
program), and a small warning sign written as a BMP, so the page shows every way a
release's page carries its pictures."""
import subprocess

FONT = "DejaVu Sans"


def rasterise(svg):
    return subprocess.run(["rsvg-convert", "--format=png"], input=svg.encode("utf-8"), check=True,
                          stdout=subprocess.PIPE).stdout


def logo():
    return rasterise(f"""<svg xmlns="http://www.w3.org/2000/svg" width="96" height="96">
  <defs><linearGradient id="g" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#2E79A7"/><stop offset="1" stop-color="#084A8C"/></linearGradient></defs>
  <rect x="4" y="4" width="88" height="88" rx="18" fill="url(#g)"/>
  <path d="M64 30 A24 24 0 1 0 64 66" fill="none" stroke="white" stroke-width="11" stroke-linecap="round"/>
  <path d="M20 80 Q48 62 82 72" fill="none" stroke="#F9CD1E" stroke-width="5" stroke-linecap="round"/>
</svg>""")


def window(width, height, title, body):
    return f"""<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}"
     font-family="{FONT}" font-size="11">
  <rect width="{width}" height="{height}" fill="#98A5B1"/>
  <rect width="{width}" height="22" fill="#5C6978"/>
  <text x="8" y="15" fill="white" font-weight="bold" font-size="12">{title}</text>
  <rect x="0.5" y="0.5" width="{width - 1}" height="{height - 1}" fill="none" stroke="#5C6978"/>
  {body}
</svg>"""


def gauge(x, y, width, percent, label):
    filled = int(width * percent / 100)
    return f"""<text x="{x}" y="{y - 6}" fill="#1E2A36">{label}</text>
  <rect x="{x}" y="{y}" width="{width}" height="16" fill="#DFDFDF" stroke="#CFCFCF"/>
  <rect x="{x}" y="{y}" width="{filled}" height="16" fill="#2E79A7"/>
  <text x="{x + width / 2}" y="{y + 12}" text-anchor="middle" fill="#1E2A36" font-weight="bold">{percent}%</text>"""


def button(x, y, caption, enabled=True):
    face, ink = ("#CFCFCF", "#1E2A36") if enabled else ("#B6B6B6", "#7E8A96")
    return f"""<rect x="{x}" y="{y}" width="86" height="24" rx="3" fill="{face}" stroke="#5C6978"/>
  <text x="{x + 43}" y="{y + 16}" text-anchor="middle" fill="{ink}" font-weight="bold">{caption}</text>"""


def copy_page():
    body = (gauge(20, 52, 380, 62, "Componenta EXE: CORVAN.EXE") + gauge(20, 100, 380, 35, "Întreaga instalare") +
            button(218, 140, "Continuă", enabled=False) + button(314, 140, "Abandon"))
    return rasterise(window(420, 180, "Copierea fișierelor", body))


def notes_list():
    columns = [("Nr", 8), ("Data", 44), ("Debit", 118), ("Credit", 166), ("Suma", 218), ("Explicații", 290)]
    rows = [("101", "04.03.2024", "4111", "704", "1.250,00", "Factura 118"),
            ("102", "04.03.2024", "5121", "4111", "1.250,00", "Încasare OP 45"),
            ("103", "05.03.2024", "628", "401", "310,40", "Servicii curierat"),
            ("104", "05.03.2024", "4426", "401", "58,98", "TVA deductibilă"),
            ("105", "06.03.2024", "5311", "5121", "2.000,00", "Ridicare numerar"),
            ("106", "07.03.2024", "6022", "5311", "412,15", "Bon combustibil")]
    parts = ['<rect x="6" y="30" width="408" height="164" fill="white" stroke="#5C6978"/>',
             '<rect x="6" y="30" width="408" height="20" fill="#5C6978"/>']
    for name, x in columns:
        parts.append(f'<text x="{x + 6}" y="44" fill="white" font-weight="bold">{name}</text>')
    for i, row in enumerate(rows):
        y = 50 + i * 24
        selected = i == 2
        fill = "#2E79A7" if selected else ("#FFFFFF" if i % 2 == 0 else "#E8EDF2")
        ink = "white" if selected else "#1E2A36"
        parts.append(f'<rect x="7" y="{y}" width="406" height="24" fill="{fill}"/>')
        for (name, x), value in zip(columns, row):
            parts.append(f'<text x="{x + 6}" y="{y + 16}" fill="{ink}">{value}</text>')
    return rasterise(window(420, 200, "Note contabile", "\n  ".join(parts)))


def warning_sign(bmp):
    """16 x 16: a yellow triangle with a dark edge and an exclamation mark."""
    def pixel(x, y):
        cx = 7.5
        half = (y + 1) * 0.5  # the triangle widens downwards from the apex
        inside = abs(x - cx) <= half and y <= 14
        edge = inside and (abs(x - cx) > half - 1.5 or y >= 13)
        mark = x in (7, 8) and (4 <= y <= 9 or 11 <= y <= 12)
        if not inside:
            return (0xFF, 0xF6, 0xD5)  # the note's background
        if edge or mark:
            return (0x3A, 0x2E, 0x10)
        return (0xF9, 0xCD, 0x1E)
    return bmp(16, 16, pixel)


def pictures(bmp):
    """name -> bytes, for the version's folder."""
    return {"sigla.png": logo(), "copiere.png": copy_page(), "note.png": notes_list(),
            "atentie.bmp": warning_sign(bmp)}
