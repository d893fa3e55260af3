#!/usr/bin/python3
"""The atlas as a user sees it: its metals.json, and its index.html in headless Chromium.

Usage: atlas_page_test.py ATLAS_FOLDER [unittest options]
"""
import json
import math
import os
import re
import shutil
import struct
import sys
import tempfile
import unicodedata
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

ATLAS = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else ""
COLOUR_GOAL = 0.2  # the fit's largest ΔE2000 where the colour is in gamut, unless the entry says why not
FLOAT_KEYS = ("f0", "edge_tint", "f82")
PICTURE_KINDS = ("sampled", "fitted", "measured", "lit", "curves")
# The four functions of metals.ms for each page with a colour, and for each book by its name.
FUNCTION_SUFFIXES = ("", "_acescg", "_arnold", "_arnold_acescg")
# How atlases name their pictures: this one's kinds, and an earlier one's single picture of the spheres.
PICTURE_NAMING = re.compile(r"[0-9]{2,}-[A-Za-z0-9-]+-(sampled|fitted|measured|lit|curves|spheres)\.png")
# What tests/atlas/CMakeLists.txt puts in the folder before the atlas is written there.
EARLIER_PICTURE, FOREIGN_FILE = "99-main-Xx-Earlier-spheres.png", "notes.txt"


def read_atlas():
    with open(os.path.join(ATLAS, "metals.json"), encoding="utf-8") as f:
        return json.load(f)


def read_metals():
    return read_atlas()["metals"]


def read_books():
    return read_atlas()["books"]


def book_of(page):
    return page.rsplit("/", 1)[0]


def as_float32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


def significant_digits(token):
    mantissa = re.sub(r"[eE].*", "", token).lstrip("-")
    # An integer's trailing zeros ("100") hold its place, not its precision.
    digits = mantissa.replace(".", "").lstrip("0") if "." in mantissa else mantissa.lstrip("0").rstrip("0")
    return len(digits)


def is_shortest(token, single):
    """Whether no decimal with fewer significant digits reads back as the same float (or double).

    If any shorter one did, so would the value rounded to one digit less than the token has."""
    value = as_float32(float(token)) if single else float(token)
    digits = significant_digits(token)
    if digits <= 1:
        return True
    shorter = float(f"{value:.{digits - 2}e}")
    return (as_float32(shorter) if single else shorter) != value


class MetalsJsonTest(unittest.TestCase):
    def test_each_entry_has_its_keys(self):
        metals = read_metals()
        self.assertGreater(len(metals), 0)
        for entry in metals:
            with self.subTest(page=entry.get("page")):
                self.assertEqual(len(entry["page"].split("/")), 3)
                if "error" in entry:
                    self.assertNotIn("srgb", entry)
                    continue
                for space in ("srgb", "acescg"):
                    fit = entry[space]
                    self.assertEqual({"n", "k", "max_delta_e", "sampled_max_delta_e", "out_of_gamut_angles"} - fit.keys(),
                                     set())
                    self.assertEqual((len(fit["n"]), len(fit["k"])), (3, 3))
                    self.assertEqual(fit["max_delta_e"], max(fit["delta_e"]))
                    self.assertTrue(set(fit["out_of_gamut_angles"]) <= set(fit["angles"]))
                for key in FLOAT_KEYS:
                    self.assertEqual(len(entry[key]), 3)
                    self.assertTrue(all(0 <= v <= 1 for v in entry[key]), key)
                for key in ("f0_clamped", "edge_tint_clamped", "f82_clamped"):
                    self.assertEqual([type(v) for v in entry[key]], [bool] * 3)
                for key in ("maxscript", "maxscript_acescg"):
                    self.assertTrue(entry[key].startswith("aurivelMap = Aurivel()\naurivelMap.preset = 0\n"), key)
                self.assertNotEqual(entry["maxscript"], entry["maxscript_acescg"])
                self.assertEqual(set(entry["pictures"]), set(PICTURE_KINDS))
                for key in ("name", "author", "reference"):
                    self.assertTrue(entry[key], key)

    def test_the_fit_meets_its_goal_in_gamut_or_says_why_not(self):
        for entry in read_metals():
            if "error" in entry:
                continue
            misses = [
                (space, angle)
                for space in ("srgb", "acescg")
                for angle, delta_e in zip(entry[space]["angles"], entry[space]["delta_e"])
                if angle not in entry[space]["out_of_gamut_angles"] and delta_e > COLOUR_GOAL
            ]
            with self.subTest(page=entry["page"]):
                self.assertEqual(bool(misses), "note" in entry, misses)

    def test_the_folder_holds_this_atlas_and_what_was_not_the_atlas(self):
        pictures = set(os.listdir(os.path.join(ATLAS, "pictures")))
        referenced = {os.path.basename(path) for e in read_metals() if "pictures" in e for path in e["pictures"].values()}
        self.assertEqual({f for f in pictures if PICTURE_NAMING.fullmatch(f)}, referenced)
        self.assertNotIn(EARLIER_PICTURE, pictures)
        self.assertIn(FOREIGN_FILE, pictures)

    def test_one_book_per_card_with_its_pages_and_the_spread_of_f0(self):
        metals = {e["page"]: e for e in read_metals()}
        books = read_books()
        listed = [page for book in books for page in book["pages"]]
        self.assertEqual(sorted(listed), sorted(metals), "each page in one book")
        for book in books:
            with self.subTest(book=book["book"]):
                self.assertTrue(all(book_of(page) == book["book"] for page in book["pages"]))
                coloured = [metals[p] for p in book["pages"] if "error" not in metals[p]]
                if not coloured:
                    self.assertNotIn("f0_low", book)
                    continue
                for key, pick in (("f0_low", min), ("f0_high", max)):
                    self.assertEqual(book[key], [pick(e["f0"][c] for e in coloured) for c in range(3)], key)
                    self.assertEqual(book[key + "_hex"], srgb_hex(book[key]), key)

    def test_a_recommended_page_gives_a_colour_and_meets_the_fits_goal(self):
        metals = {e["page"]: e for e in read_metals()}
        for book in read_books():
            with self.subTest(book=book["book"]):
                self.assertTrue(book["reason"])
                eligible = [p for p in book["pages"] if "error" not in metals[p] and "note" not in metals[p]]
                if "recommended" not in book:
                    self.assertEqual(eligible, [], "a page could have been recommended")
                    self.assertNotIn("function", book)
                    continue
                self.assertIn(book["recommended"], eligible)

    def test_function_names_are_maxscript_names_of_one_book_or_page_each(self):
        functions = [e["function"] for e in read_metals() if "function" in e]
        functions += [b["function"] for b in read_books() if "function" in b]
        self.assertGreater(len(functions), 0)
        self.assertEqual(len(functions), len(set(functions)), "two books or pages share a function name")
        for function in functions:
            self.assertRegex(function, r"^aurivel_[A-Za-z0-9_]+$")

    def test_nothing_names_a_folder_of_the_machine_that_wrote_it(self):
        # Two builds of one version are the same files wherever they were written.
        for name in ("metals.json", "metals.ms", "index.html"):
            with open(os.path.join(ATLAS, name), encoding="utf-8") as f:
                text = f.read()
            with self.subTest(file=name):
                self.assertNotIn(ATLAS, text)
                self.assertNotIn("/database/data/", text)
        for entry in read_metals():
            for text in [entry.get("error", entry["page"] + ":")] + entry.get("left_out", []):
                self.assertTrue(text.startswith(entry["page"] + ":"), text)

    def test_a_faulty_row_far_from_the_visible_is_reported_and_costs_no_colour(self):
        metals = {e["page"]: e for e in read_metals()}
        if "main/Lu/Garcia-Cortes" not in metals:
            self.skipTest("the library's atlas holds the pages with such rows")
        for page, rows in (("main/Lu/Garcia-Cortes", 1), ("main/Zr/Querry", 1), ("main/Ag/Yang", 3),
                           ("main/Cu/Querry", 1)):
            with self.subTest(page=page):
                self.assertNotIn("error", metals[page])
                self.assertEqual(len(metals[page]["left_out"]), rows)
        self.assertEqual(metals["main/Lu/Garcia-Cortes"]["left_out"],
                         ["main/Lu/Garcia-Cortes:2226: negative n -256.29294 (at 700475.6352 \u00b5m, left out)"])

    def test_numbers_are_the_shortest_that_read_back(self):
        with open(os.path.join(ATLAS, "metals.json"), encoding="utf-8") as f:
            text = f.read()
        # The map's values and what other materials take are floats, the ΔE doubles.
        float_arrays = re.findall(r'"(?:n|k|f0|edge_tint|f82)":\[([^\]]*)\]', text)
        double_values = re.findall(r'"(?:max_delta_e)":([-0-9.eE+]+)', text)
        double_values += [v for a in re.findall(r'"delta_e":\[([^\]]*)\]', text) for v in a.split(",")]
        tokens = [(v, True) for a in float_arrays for v in a.split(",")] + [(v, False) for v in double_values]
        self.assertGreater(len(tokens), 0)
        for token, single in tokens:
            self.assertTrue(is_shortest(token, single), token)


def script_values(lines):
    """{"name": "value"} of the lines "aurivelMap.name = value" among these."""
    return dict(re.findall(r"^\s*aurivelMap\.(\w+) = (\S+)$", lines, re.M))


class MetalsScriptTest(unittest.TestCase):
    """metals.ms, which 3ds Max runs with fileIn: what it says of itself and the functions of each page."""

    @classmethod
    def setUpClass(cls):
        with open(os.path.join(ATLAS, "metals.ms"), encoding="utf-8") as f:
            cls.script = f.read()
        cls.maps = dict(re.findall(r"^fn (\w+) slot: =\n\(\n(.*?)\n\)$", cls.script, re.M | re.S))
        cls.arnold = {name: (base, edge) for name, base, edge in re.findall(
            r"^fn (\w+)_arnold slot: = aurivelArnoldMetal \(color ([^)]*)\) \(color ([^)]*)\) slot:slot$",
            cls.script, re.M)}

    def code_outside_comments_and_strings(self):
        return re.sub(r'"(?:[^"\\]|\\.)*"', '""', re.sub(r"--.*", "", self.script))

    def test_it_begins_by_saying_how_to_load_it_and_what_its_functions_take_and_return(self):
        head = re.match(r"(?:--.*\n)+", self.script).group(0)
        for text in ('fileIn @"', "Aurivel package", "3ds Max loads this file at start-up", "returns a new Aurivel map",
                     "returns a new Arnold Standard Surface metal",
                     "slot:3", "meditMaterials[3]", "no slot is touched"):
            self.assertIn(text, head)

    def test_each_page_with_a_colour_has_its_maps_and_its_arnold_metal(self):
        pages = 0
        for entry in read_metals():
            with self.subTest(page=entry["page"]):
                if "error" in entry:
                    self.assertNotIn("function", entry)
                    continue
                function = entry["function"]
                pages += 1
                for name, space in ((function, "srgb"), (function + "_acescg", "acescg")):
                    body = self.maps[name]
                    self.assertTrue(body.startswith("    if not aurivelMapClassThere() do return undefined\n"), name)
                    self.assertTrue(body.endswith("aurivelPutInSlot aurivelMap slot"), name)
                    values = script_values(body)
                    self.assertEqual(values.pop("preset"), "0", name)
                    self.assertEqual([as_float32(float(values[c + "value"])) for c in ("nr", "ng", "nb")],
                                     [as_float32(v) for v in entry[space]["n"]], name)
                    self.assertEqual([as_float32(float(values[c + "value"])) for c in ("kr", "kg", "kb")],
                                     [as_float32(v) for v in entry[space]["k"]], name)
                base, edge = self.arnold[function]
                for text, key in ((base, "f0"), (edge, "edge_tint")):
                    self.assertEqual([as_float32(float(v)) for v in text.split()],
                                     [as_float32(as_float32(v) * 255.0) for v in entry[key]], key)
                self.assertEqual(script_values(entry["maxscript"]), script_values(self.maps[function]))
        self.assertEqual(len(self.maps), 2 * pages)

    def test_each_book_with_a_recommended_page_has_its_functions_by_name(self):
        defined = re.findall(r"^fn (\w+)", self.script, re.M)
        self.assertEqual(len(defined), len(set(defined)), "a function defined twice")
        books = read_books()
        page_functions = {e["page"]: e["function"] for e in read_metals() if "function" in e}
        for book in books:
            with self.subTest(book=book["book"]):
                if "recommended" not in book:
                    self.assertIn("-- %s (%s) has no functions by name: %s" % (book["name"], book["book"],
                                                                             book["reason"]), self.script)
                    continue
                page_function = page_functions[book["recommended"]]
                for suffix in FUNCTION_SUFFIXES:
                    self.assertIn("\nfn %s%s slot: = %s%s slot:slot\n" % (book["function"], suffix, page_function,
                                                                        suffix), self.script)
                    self.assertIn(page_function + suffix, defined)
        self.assertEqual(sum(name.startswith(tuple(b.get("function", "-") + "_" for b in books)) or
                             name in {b.get("function") for b in books} for name in defined
                             if name not in {f + s for f in page_functions.values() for s in FUNCTION_SUFFIXES}),
                         4 * sum("recommended" in b for b in books))

    def test_at_its_top_level_it_only_defines_functions(self):
        # 3ds Max runs the package's copy at start-up, where a script does nothing but define.
        code = self.code_outside_comments_and_strings()
        depth, body_next = 0, False
        for line in code.splitlines():
            if depth == 0 and line.strip():
                self.assertTrue(line.startswith("fn ") or (body_next and line == "("), line)
                body_next = line.endswith("=")
            depth += line.count("(") - line.count(")")

    def test_the_heads_example_is_a_function_of_the_file(self):
        head = re.match(r"(?:--.*\n)+", self.script).group(0)
        example = re.search(r'\("([^"]+)" gives (\w+)\)', head)
        self.assertIsNotNone(example, head)
        self.assertIn(example.group(2), self.maps)
        self.assertEqual(example.group(2), {e["page"]: e.get("function") for e in read_metals()}[example.group(1)])
        self.assertNotIn("in the scene's rendering space", head)
        self.assertIn("sRGB's primaries", head)

    def test_pages_without_a_colour_are_comments_with_the_reason(self):
        for entry in read_metals():
            if "error" in entry:
                with self.subTest(page=entry["page"]):
                    self.assertIn("-- %s: %s has no functions: it gives no colour (%s)" % (
                        entry["name"], entry["page"], entry["error"].replace("\n", " ")), self.script)

    def test_each_arnold_metal_has_an_acescg_twin(self):
        twins = set(re.findall(r"^fn (\w+)_arnold_acescg slot: = aurivelArnoldMetal \(color [^)]*\) "
                               r"\(color [^)]*\) slot:slot$", self.script, re.M))
        self.assertEqual(twins, set(self.arnold))

    def test_numbers_are_maxscript_literals(self):
        # An exponent follows a fractional part ("2.0e-5"); "2e-05" is no MAXScript number.
        code = self.code_outside_comments_and_strings()
        numbers = re.findall(r"(?<![\w.])-?[0-9][0-9.eE+-]*", code)
        self.assertTrue(numbers)
        for number in numbers:
            self.assertRegex(number, r"^-?[0-9]+(\.[0-9]+([eE][-+]?[0-9]+)?)?$")

    def test_a_missing_property_is_reported_not_skipped(self):
        helper = re.search(r"^fn aurivelSetIfThere .*?^\)$", self.script, re.M | re.S).group(0)
        self.assertIn('format "Aurivel: % has no property %', helper)
        self.assertIn("(classOf thing) propertyName", helper)

    def test_brackets_balance_outside_comments_and_strings(self):
        code = self.code_outside_comments_and_strings()
        depth = {"(": 0, "[": 0}
        for c in code:
            if c in "([":
                depth[c] += 1
            elif c in ")]":
                depth["(" if c == ")" else "["] -= 1
                self.assertGreaterEqual(min(depth.values()), 0)
        self.assertEqual(depth, {"(": 0, "[": 0})


# Each page on show (laid out, not hidden): its card, its page and what it says.
SHOWN_PAGES = """
const text = (card, selector) => { const e = card.querySelector(selector); return e ? e.innerText : null; };
return [...document.querySelectorAll("section.page")].filter((page) => page.getClientRects().length).map((page) => ({
  book: page.closest("article").dataset.book,
  head: page.parentElement.classList.contains("head"),
  page: page.dataset.page,
  name: text(page.closest("article"), "h2 [data-book=name]"),
  author: text(page, "h3 [data-text=author]"),
  flags: [...page.querySelectorAll(":scope > .flags .flag")].map((flag) => flag.innerText),
  error: text(page, ".error"),
  note: text(page, ".note"),
  caution: text(page, ".caution"),
  leftOut: text(page, ".left-out [data-rows]"),
  hex: text(page, "[data-hex]"),
  captions: [...page.querySelectorAll("figcaption")].map((caption) => caption.innerText),
  rows: Object.fromEntries([...page.querySelectorAll("tr[data-values]")].map((row) => [row.dataset.values, {
    values: [...row.querySelectorAll("td")].map((cell) => cell.innerText),
    clampedKey: row.dataset.clamped || null,
    clamped: row.dataset.clamped ? [...row.querySelectorAll("td")].map((cell) => cell.classList.contains("clamped"))
                                 : null,
  }])),
  fits: Object.fromEntries([...page.querySelectorAll("[data-fit]")].map((line) => [line.dataset.fit, {
    deltaE: text(line, "[data-delta-e]"),
    gamut: text(line, "[data-gamut]"),
  }])),
}));
"""

# The cards on show, and each one's pages that the search leaves (the head and the other pages, open or not).
SHOWN_BOOKS = """
return [...document.querySelectorAll("article.card")].filter((card) => card.getClientRects().length).map((card) => ({
  book: card.dataset.book,
  pages: [...card.querySelectorAll(".head > section.page, details.alternative")]
    .filter((e) => e.getClientRects().length).map((e) => e.dataset.page),
}));
"""

# Each picture once it has loaded or failed: its src and its width as loaded (0 where it failed).
EVERY_PICTURE_LOADED = """
const done = arguments[arguments.length - 1];
const pictures = [...document.querySelectorAll("img")];
Promise.all(pictures.map((img) => img.complete ? null : new Promise((settle) => { img.onload = img.onerror = settle; })))
  .then(() => done(pictures.map((img) => [img.getAttribute("src"), img.naturalWidth])));
"""

OPEN_EVERY_PAGE = "document.querySelectorAll('details.alternative').forEach((d) => { d.open = true; });"


def srgb_hex(linear):
    def byte(v):
        encoded = 12.92 * v if v <= 0.0031308 else 1.055 * v ** (1 / 2.4) - 0.055
        return round(255 * min(max(encoded, 0.0), 1.0))
    return "#" + "".join(f"{byte(v):02X}" for v in linear)


# Each text node on show in the cards that holds a number, with how many
# lines each of its numbers takes.
NUMBER_LINES = """
const walker = document.createTreeWalker(document.getElementById("cards"), NodeFilter.SHOW_TEXT);
const found = [];
for (let node = walker.nextNode(); node; node = walker.nextNode()) {
  for (const match of node.textContent.matchAll(/[0-9]+(?:[.][0-9]+)?/g)) {
    const range = document.createRange();
    range.setStart(node, match.index);
    range.setEnd(node, match.index + match[0].length);
    const tops = new Set([...range.getClientRects()].filter((r) => r.width > 0).map((r) => Math.round(r.top)));
    if (tops.size) found.push({ number: match[0], text: node.textContent, lines: tops.size });
  }
}
return found;
"""

# Each picture's label and the picture's box, and whether the label's text
# overflows its own box.
PICTURE_LABELS = """
return [...document.querySelectorAll("#cards figure")].filter((f) => f.getClientRects().length).map((figure) => {
  const caption = figure.querySelector("figcaption");
  const box = (r) => ({ left: r.left, right: r.right, top: r.top, bottom: r.bottom });
  return { page: figure.closest("article").dataset.page, label: caption.innerText,
           figure: box(figure.getBoundingClientRect()), label_box: box(caption.getBoundingClientRect()),
           overflows: caption.scrollWidth > caption.clientWidth };
});
"""

# Each control of the page's header beside its label: their boxes.
CONTROLS = """
return [...document.querySelectorAll(".controls label")].map((label) => {
  const control = label.querySelector("input, select");
  const text = document.createRange();
  text.selectNodeContents(label.firstChild);
  const r = text.getBoundingClientRect(), c = control.getBoundingClientRect();
  return { label: label.firstChild.textContent.trim(), label_top: r.top, label_bottom: r.bottom,
           control_top: c.top, control_bottom: c.bottom };
});
"""


def browser_program(variable, name):
    """The program the build found (CTest passes it in variable), else the one on PATH."""
    path = os.environ.get(variable) or shutil.which(name)
    if not path:
        raise RuntimeError(f"{name} is neither on PATH nor named by {variable} (scripts/setup.sh installs it)")
    return path


def start_chromium():
    options = webdriver.ChromeOptions()
    options.binary_location = browser_program("AURIVEL_CHROMIUM", "chromium")
    profile = tempfile.mkdtemp(prefix="aurivel-atlas-chromium-")
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--user-data-dir=" + profile):
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    service = Service(executable_path=browser_program("AURIVEL_CHROMEDRIVER", "chromedriver"))
    return webdriver.Chrome(options=options, service=service), profile


class AtlasPageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.metals = read_metals()
        cls.books = read_books()
        cls.driver, cls.profile = start_chromium()

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        shutil.rmtree(cls.profile, ignore_errors=True)

    def setUp(self):
        self.view(1280)
        self.driver.get("file://" + os.path.join(ATLAS, "index.html"))

    def view(self, width):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                    {"width": width, "height": 900, "deviceScaleFactor": 1, "mobile": width < 600})

    def pages(self):
        """What each page on show says, read from the page in one go, in the page's order."""
        return self.driver.execute_script(SHOWN_PAGES)

    def open_every_page(self):
        """Opens every card's other pages and waits until each picture has loaded or failed: [src, width as loaded]."""
        self.driver.execute_script(OPEN_EVERY_PAGE)
        self.driver.set_script_timeout(120)
        return self.driver.execute_async_script(EVERY_PICTURE_LOADED)

    def check_cards_match_the_json(self):
        cards = self.driver.execute_script(SHOWN_BOOKS)
        self.assertEqual([c["book"] for c in cards], sorted((b["book"] for b in self.books),
                         key=lambda book: next(b["name"].casefold() for b in self.books if b["book"] == book)),
                         "one card for each book of metals.json, by name")
        self.open_every_page()
        pages = {p["page"]: p for p in self.pages()}
        self.assertEqual(len(pages), len(self.metals), "one page in the cards for each entry of metals.json")
        for book in self.books:
            if "recommended" in book:
                self.assertTrue(pages[book["recommended"]]["head"], book["recommended"])
            self.assertEqual(sum(pages[p]["head"] for p in book["pages"] if p in pages), int("recommended" in book))
        for entry in self.metals:
            page = entry["page"]
            card = pages.get(page)
            self.assertIsNotNone(card, page + " has no place in its card")
            self.assertEqual(card["book"], book_of(page))
            self.assertEqual(card["name"], entry["name"])
            self.assertEqual(card["author"], entry["author"])
            self.assertEqual(card["flags"], entry["flags"])
            self.assertEqual(card["leftOut"], "; ".join(entry["left_out"]) if "left_out" in entry else None, page)
            if "error" in entry:
                self.assertEqual(card["error"], entry["error"])
                continue
            self.assertEqual(len(card["rows"]), 7, page)
            for path, row in card["rows"].items():
                values = entry
                for key in path.split("."):
                    values = values[key]
                self.assertEqual(row["values"], [f"{v:.4f}" for v in values], page + " " + path)
                if row["clamped"] is not None:
                    self.assertEqual(row["clamped"], entry[row["clampedKey"]], page + " " + path)
            for space in ("srgb", "acescg"):
                fit = card["fits"][space]
                self.assertEqual(float(fit["deltaE"]), round(entry[space]["max_delta_e"], 2), page + " " + space)
                angles = [int(a) for a in re.findall(r"(\d+)\u00b0", fit["gamut"])]
                self.assertEqual(angles, entry[space]["out_of_gamut_angles"], page + " " + space)
            self.assertEqual(card["note"], entry.get("note"), page)
            self.assertEqual(card["caution"], entry.get("caution"), page)
            self.assertEqual(card["hex"], srgb_hex(entry["f0"]), page)
            self.assertEqual(card["captions"], [
                "sampled \u0394E " + f'{entry["srgb"]["sampled_max_delta_e"]:.2f}',
                "fitted \u0394E " + f'{entry["srgb"]["max_delta_e"]:.2f}', "measured", "fitted, lit"], page)

    def test_loads_without_errors_in_the_console(self):
        self.assertEqual(self.driver.title, "Aurivel: an atlas of measured metals")
        problems = [e for e in self.driver.get_log("browser") if e["level"] in ("SEVERE", "WARNING")]
        self.assertEqual(problems, [])

    def test_one_card_per_book_with_its_pages_numbers(self):
        self.check_cards_match_the_json()

    def test_a_missing_card_or_page_is_noticed(self):
        for remove in ("document.querySelector('article.card').remove()",
                       "document.querySelector('details.alternative').remove()"):
            with self.subTest(remove=remove):
                self.driver.refresh()
                self.driver.execute_script(remove)
                with self.assertRaises(AssertionError):
                    self.check_cards_match_the_json()

    def test_a_cards_other_pages_load_their_pictures_when_opened(self):
        def loaded():
            return self.driver.execute_script(
                "return [...document.querySelectorAll('img')].filter((img) => img.getAttribute('src')).length")
        heads = sum("recommended" in b for b in self.books)
        self.assertEqual(loaded(), len(PICTURE_KINDS) * heads)
        self.open_every_page()
        self.assertEqual(loaded(), len(PICTURE_KINDS) * sum("error" not in e for e in self.metals))

    def test_every_picture_loads(self):
        pictures = self.open_every_page()
        expected = len(PICTURE_KINDS) * sum("error" not in e for e in self.metals)
        self.assertEqual(len(pictures), expected)
        for src, width in pictures:
            self.assertGreater(width, 0, src)

    def search(self, text):
        """The pages that the search leaves on show, in their cards."""
        # As typing it does: the box's value, then an input event (typing each letter costs a second a query).
        self.driver.execute_script(
            "const box = document.getElementById('search'); box.value = arguments[0];"
            "box.dispatchEvent(new Event('input'));", text)
        return {page for card in self.driver.execute_script(SHOWN_BOOKS) for page in card["pages"]}

    def test_typing_into_the_search_box_narrows_the_cards(self):
        box = self.driver.find_element(By.ID, "search")
        first = self.books[0]["book"]  # e.g. "main/Ag": its words in a row
        box.send_keys(first)
        self.assertEqual([c["book"] for c in self.driver.execute_script(SHOWN_BOOKS)], [first])
        box.send_keys(Keys.CONTROL, "a")
        box.send_keys(Keys.DELETE)
        self.assertEqual(len(self.driver.execute_script(SHOWN_BOOKS)), len(self.books))

    def test_the_search_box_narrows_the_cards_by_symbol_or_name(self):
        all_pages = {e["page"] for e in self.metals}
        books = {e["page"]: e["page"].split("/")[1].split("-") for e in self.metals}
        self.assertEqual(self.search("Cu"), {p for p, symbols in books.items() if "Cu" in symbols})
        gold = self.search("gold")
        self.assertLess(len(gold), len(all_pages))
        for entry in self.metals:
            named_gold = entry["name"].lower().startswith("gold")
            if named_gold:
                self.assertIn(entry["page"], gold)
            if entry["page"] in gold:
                self.assertIn("gold", " ".join([entry["name"], entry.get("material", "")] + entry["flags"]).lower())
        self.assertEqual(self.search("no such metal"), set())
        self.assertEqual(self.search(""), all_pages)

    def test_typed_queries_find_the_pages_a_user_means(self):
        pages = {e["page"] for e in self.metals}
        if "main/Al/Rakic-BB" not in pages or "other/Au-Ag/Rioux-Au50Ag50" not in pages:
            self.skipTest("the table is written for the library's atlas")

        def of_books(*books):
            return {p for p in pages if book_of(p) in books}

        def flagged(word):
            return {e["page"] for e in self.metals if any(word in flag.split() for flag in e["flags"])}

        alloys = {p for b in self.books if b["alloy"] for p in b["pages"]}
        table = [
            ("Al", of_books("main/Al")),  # the symbol, not "et al." or "alloy"
            ("alumin", of_books("main/Al")),
            ("In", of_books("main/In")),  # the symbol decides by its case ...
            ("W", of_books("main/W")),
            ("Zr", of_books("main/Zr", "other/Zr-H")),
            ("Cu", of_books("main/Cu", "other/Cu-Zn")),
            ("Cu-Zn", of_books("other/Cu-Zn")),
            ("CuZn", of_books("other/Cu-Zn")),
            ("cu-zn", of_books("other/Cu-Zn")),
            ("brass", of_books("other/Cu-Zn")),
            ("stainless", of_books("other/stainless_steel")),
            ("stainless steel", of_books("other/stainless_steel")),
            ("inox", of_books("other/stainless_steel")),  # a name of its about.yml
            ("permalloy", of_books("other/Ni-Fe")),
            ("alloy", alloys),
            ("Au50Ag50", {"other/Au-Ag/Rioux-Au50Ag50"}),
            ("film", flagged("film")),
            ("main/Al/Rakic", {"main/Al/Rakic"}),  # a page id typed whole: that page, not main/Al/Rakic-BB
            ("main/Cu/Johnson", {"main/Cu/Johnson"}),
            ("Rakic-BB", {p for p in pages if p.endswith("/Rakic-BB")}),
            ("Johnson Cu", {"main/Cu/Johnson"}),
            ("García-Cortés", {"main/Lu/Garcia-Cortes"}),
            ("no such metal", set()),
        ]
        self.assertGreater(len(flagged("film")), 20)
        for typed, expected in table:
            with self.subTest(typed=typed):
                self.assertEqual(self.search(typed), expected)

    def test_a_search_without_a_match_says_so(self):
        nothing = self.driver.find_element(By.ID, "nothing")
        self.assertFalse(nothing.is_displayed())
        self.search("no such metal")
        self.assertTrue(nothing.is_displayed())
        self.assertEqual(nothing.text, "No metal matches \u201cno such metal\u201d.")
        self.search(self.books[0]["name"])
        self.assertFalse(nothing.is_displayed())

    def test_sorting_by_delta_e_puts_the_closest_fit_first(self):
        by_page = {e["page"]: e for e in self.metals}
        by_book = {b["book"]: b for b in self.books}
        self.driver.find_element(By.CSS_SELECTOR, '#sort option[value="delta-e"]').click()
        shown = [by_book[c["book"]] for c in self.driver.execute_script(SHOWN_BOOKS)]
        delta_e = [by_page[b["recommended"]]["srgb"]["max_delta_e"] if "recommended" in b else math.inf for b in shown]
        self.assertEqual(delta_e, sorted(delta_e))
        self.driver.find_element(By.CSS_SELECTOR, '#sort option[value="name"]').click()
        names = [by_book[c["book"]]["name"] for c in self.driver.execute_script(SHOWN_BOOKS)]
        self.assertEqual(names, sorted(names, key=str.casefold))

    def copied_by_each_button(self):
        """What each copy button hands the clipboard, by "page key"."""
        # The clipboard of a headless browser is not to be read, so the page's
        # own calls to it are recorded.
        self.driver.execute_script(
            "window.copied = {};"
            "Object.defineProperty(navigator, 'clipboard', {value: {writeText: (text) => {"
            "  const button = document.activeElement;"
            "  window.copied[button.closest('section').dataset.page + ' ' + button.dataset.copy] = text;"
            "  return Promise.resolve(); }}});")
        self.open_every_page()
        self.driver.execute_script(
            "document.querySelectorAll('[data-copy]').forEach((button) => { button.focus(); button.click(); });")
        return self.driver.execute_script("return window.copied")

    def test_the_copy_buttons_copy_the_entrys_maxscript_for_each_space(self):
        expected = {e["page"] + " " + key: e[key] for e in self.metals if "error" not in e
                    for key in ("maxscript", "maxscript_acescg")}
        self.assertEqual(self.copied_by_each_button(), expected)

    def test_in_the_package_the_copy_buttons_copy_a_call_of_the_pages_function(self):
        # The package's metals.ms is loaded at 3ds Max's start-up, so a call
        # of the card's function makes its map, left in aurivelMap as the
        # whole script leaves it.
        with open(os.path.join(ATLAS, "metals.ms"), encoding="utf-8") as f:
            defined = set(re.findall(r"^fn (\w+) slot: =", f.read(), re.M))
        root = tempfile.mkdtemp(prefix="aurivel-atlas-package-")
        try:
            contents = os.path.join(root, "Program Data", "Aurivel.bundle", "Contents")
            os.makedirs(contents)
            os.symlink(ATLAS, os.path.join(contents, "atlas"))
            self.driver.get("file://" + os.path.join(contents, "atlas", "index.html"))
            copied = self.copied_by_each_button()
        finally:
            shutil.rmtree(root)
        expected = {}
        recommended = {b["recommended"]: b["function"] for b in self.books if "recommended" in b}
        for entry in self.metals:
            if "error" in entry:
                continue
            # The card's head calls the metal's function by name, the other pages their own.
            function = recommended.get(entry["page"], entry["function"])
            for key, name in (("maxscript", function), ("maxscript_acescg", function + "_acescg")):
                self.assertIn(name, defined)
                hint = entry[key].splitlines(keepends=True)[-2:]
                expected[entry["page"] + " " + key] = "".join(["aurivelMap = %s()\n" % name] + hint)
        self.assertEqual(copied, expected)

    def test_the_search_finds_authors_with_or_without_their_diacritics(self):
        def folded(text):
            return "".join(c for c in unicodedata.normalize("NFD", text) if not unicodedata.combining(c)).lower()
        accented = [w for e in self.metals for w in re.split(r"\W+", e["author"]) if folded(w) != w.lower()]
        if not accented:
            self.skipTest("no author in this atlas writes their name with diacritics")
        word = accented[0]  # e.g. Rakić
        expected = {e["page"] for e in self.metals
                    if any(w.startswith(folded(word)) for w in re.split(r"\W+", folded(e["author"])))}
        self.assertEqual(self.search(folded(word)), expected)
        self.assertEqual(self.search(word), expected)

    def test_at_390_pixels_numbers_labels_and_controls_hold_together(self):
        self.view(390)
        self.open_every_page()
        self.driver.find_element(By.TAG_NAME, "body").click()
        numbers = self.driver.execute_script(NUMBER_LINES)
        self.assertGreater(len(numbers), 0)
        self.assertEqual([n for n in numbers if n["lines"] > 1], [])
        labels = self.driver.execute_script(PICTURE_LABELS)
        self.assertEqual(len(labels), 4 * sum("error" not in e for e in self.metals))
        for label in labels:
            # Within half a pixel: far down the page, with every page open, boxes land on fractions of a pixel.
            inside = all(label["figure"][side] <= label["label_box"][side] + 0.5 for side in ("left", "top")) and all(
                label["label_box"][side] <= label["figure"][side] + 0.5 for side in ("right", "bottom"))
            self.assertTrue(inside and not label["overflows"], label)
        for control in self.driver.execute_script(CONTROLS):
            # Beside each other: their boxes share a line.
            self.assertLess(control["label_top"], control["control_bottom"], control)
            self.assertLess(control["control_top"], control["label_bottom"], control)

    def test_at_390_pixels_the_curves_text_is_at_least_10_css_pixels(self):
        self.view(390)
        self.open_every_page()
        scales = self.driver.execute_script(
            "return [...document.querySelectorAll('a[data-picture=curves] img')]"
            ".map((img) => img.getBoundingClientRect().width / img.naturalWidth);")
        self.assertEqual(len(scales), sum("error" not in e for e in self.metals))
        for scale in scales:
            # The plots' text is drawn 14 pixels high (kPlotTextHeight in tools/preview/render/include/render/plot.h).
            self.assertGreaterEqual(14 * scale, 10.0)

    def test_no_sideways_scrolling_at_390_and_1280_pixels(self):
        self.open_every_page()
        for width in (390, 1280):
            with self.subTest(width=width):
                self.view(width)
                self.assertEqual(self.driver.execute_script("return window.innerWidth"), width)
                overflow = self.driver.execute_script(
                    "return document.documentElement.scrollWidth - document.documentElement.clientWidth")
                self.assertLessEqual(overflow, 0)


if __name__ == "__main__":
    if not ATLAS:
        sys.exit(__doc__)
    unittest.main()
