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
# How atlases name their pictures: this one's kinds, and an earlier one's single picture of the spheres.
PICTURE_NAMING = re.compile(r"[0-9]{2,}-[A-Za-z0-9-]+-(sampled|fitted|measured|lit|curves|spheres)\.png")
# What tests/atlas/CMakeLists.txt puts in the folder before the atlas is written there.
EARLIER_PICTURE, FOREIGN_FILE = "99-main-Xx-Earlier-spheres.png", "notes.txt"


def read_metals():
    with open(os.path.join(ATLAS, "metals.json"), encoding="utf-8") as f:
        return json.load(f)["metals"]


def as_float32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


def significant_digits(token):
    mantissa = re.sub(r"[eE].*", "", token).lstrip("-").replace(".", "").lstrip("0")
    return len(mantissa)


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
            function = "aurivel_" + re.sub(r"[^A-Za-z0-9]", "_", entry["page"])
            with self.subTest(page=entry["page"]):
                if "error" in entry:
                    self.assertNotIn(function, self.maps)
                    continue
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
        self.assertEqual(example.group(2), "aurivel_" + re.sub(r"[^A-Za-z0-9]", "_", example.group(1)))
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


# Each card on show (laid out, not hidden): its page and what it says.
SHOWN_CARDS = """
const text = (card, selector) => { const e = card.querySelector(selector); return e ? e.innerText : null; };
return [...document.querySelectorAll("article.card")].filter((card) => card.getClientRects().length).map((card) => ({
  page: card.dataset.page,
  name: text(card, "h2 [data-text=name]"),
  author: text(card, "h2 [data-text=author]"),
  error: text(card, ".error"),
  note: text(card, ".note"),
  caution: text(card, ".caution"),
  hex: text(card, "[data-hex]"),
  captions: [...card.querySelectorAll("figcaption")].map((caption) => caption.innerText),
  rows: Object.fromEntries([...card.querySelectorAll("tr[data-values]")].map((row) => [row.dataset.values, {
    values: [...row.querySelectorAll("td")].map((cell) => cell.innerText),
    clampedKey: row.dataset.clamped || null,
    clamped: row.dataset.clamped ? [...row.querySelectorAll("td")].map((cell) => cell.classList.contains("clamped"))
                                 : null,
  }])),
  fits: Object.fromEntries([...card.querySelectorAll("[data-fit]")].map((line) => [line.dataset.fit, {
    deltaE: text(line, "[data-delta-e]"),
    gamut: text(line, "[data-gamut]"),
  }])),
}));
"""


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


def start_chromium():
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which("chromium") or "/usr/bin/chromium"
    profile = tempfile.mkdtemp(prefix="aurivel-atlas-chromium-")
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--user-data-dir=" + profile):
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    service = Service(executable_path=shutil.which("chromedriver") or "/usr/bin/chromedriver")
    return webdriver.Chrome(options=options, service=service), profile


class AtlasPageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.metals = read_metals()
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

    def cards(self):
        """What each card on show says, read from the page in one go, in the page's order."""
        return self.driver.execute_script(SHOWN_CARDS)

    def check_cards_match_the_json(self):
        cards = {c["page"]: c for c in self.cards()}
        self.assertEqual(len(cards), len(self.metals), "one card for each entry of metals.json")
        for entry in self.metals:
            page = entry["page"]
            card = cards.get(page)
            self.assertIsNotNone(card, page + " has no card")
            self.assertEqual(card["name"], entry["name"])
            self.assertEqual(card["author"], entry["author"])
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

    def test_one_card_per_entry_with_the_entrys_numbers(self):
        self.check_cards_match_the_json()

    def test_a_missing_card_is_noticed(self):
        self.driver.execute_script("document.querySelector('article.card').remove()")
        with self.assertRaises(AssertionError):
            self.check_cards_match_the_json()

    def test_every_picture_loads(self):
        pictures = self.driver.find_elements(By.TAG_NAME, "img")
        expected = len(PICTURE_KINDS) * sum("error" not in e for e in self.metals)
        self.assertEqual(len(pictures), expected)
        for img in pictures:
            loaded = self.driver.execute_script("return arguments[0].complete && arguments[0].naturalWidth", img)
            self.assertGreater(loaded, 0, img.get_attribute("src"))

    def search(self, text):
        box = self.driver.find_element(By.ID, "search")
        box.send_keys(Keys.CONTROL, "a")
        box.send_keys(Keys.DELETE)
        box.send_keys(text)
        return {c["page"] for c in self.cards()}

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
                self.assertIn("gold", (entry["name"] + " " + entry.get("material", "")).lower())
        self.assertEqual(self.search("no such metal"), set())
        self.assertEqual(self.search(""), all_pages)

    def test_typed_queries_find_the_cards_a_user_means(self):
        rakic_bb = {"main/%s/Rakic-BB" % s for s in ("Ag", "Al", "Au", "Be", "Cr", "Cu", "Ni", "Pd", "Pt", "Ti", "W")}
        table = [
            ("Al", {"main/Al/Rakic", "main/Al/Rakic-BB"}),  # the symbol, not "et al." or "alloy"
            ("alumin", {"main/Al/Rakic", "main/Al/Rakic-BB"}),
            ("In", {"main/In/Mathewson-298K"}),  # the symbol decides by its case ...
            ("in", {"main/In/Mathewson-298K", "main/Hg/Inagaki", "main/Li/Inagaki"}),  # ... a word begins "in"
            ("Sm", {"main/Cs/Smith", "main/K/Smith", "main/Na/Smith", "main/Rb/Smith"}),  # no card's symbol
            ("W", {"main/W/Rakic-BB"}),
            ("Zr", {"main/Zr/Querry"}),  # a card without a colour
            ("Lu", {"main/Lu/Garcia-Cortes"}),
            ("Cu", {"main/Cu/Johnson", "main/Cu/Rakic-BB", "other/Cu-Zn/Querry-Cu70Zn30"}),
            ("Cu-Zn", {"other/Cu-Zn/Querry-Cu70Zn30"}),
            ("CuZn", {"other/Cu-Zn/Querry-Cu70Zn30"}),
            ("cu-zn", {"other/Cu-Zn/Querry-Cu70Zn30"}),
            ("AuAg", {"other/Au-Ag/Rioux-Au50Ag50"}),
            ("gold", {"main/Au/Johnson", "main/Au/Rakic-BB", "other/Au-Ag/Rioux-Au50Ag50"}),
            ("brass", {"other/Cu-Zn/Querry-Cu70Zn30"}),
            ("Rakic-BB", rakic_bb),
            ("main/Cu/Johnson", {"main/Cu/Johnson"}),
            ("Johnson Cu", {"main/Cu/Johnson"}),
            ("Querry", {"main/Mo/Querry", "main/Zn/Querry", "main/Zr/Querry", "other/Cu-Zn/Querry-Cu70Zn30"}),
            ("García-Cortés", {"main/Lu/Garcia-Cortes"}),
            ("stainless steel", {"other/stainless_steel/Karlsson-austenitic"}),
            ("no such metal", set()),
        ]
        all_pages = {e["page"] for e in self.metals}
        if not set().union(*(expected for _, expected in table)) <= all_pages:
            self.skipTest("the table is written for the library's atlas")
        for typed, expected in table:
            with self.subTest(typed=typed):
                self.assertEqual(self.search(typed), expected)

    def test_sorting_by_delta_e_puts_the_closest_fit_first(self):
        by_page = {e["page"]: e for e in self.metals}
        self.driver.find_element(By.CSS_SELECTOR, '#sort option[value="delta-e"]').click()
        shown = [by_page[c["page"]] for c in self.cards()]
        delta_e = [e["srgb"]["max_delta_e"] if "srgb" in e else math.inf for e in shown]
        self.assertEqual(delta_e, sorted(delta_e))
        self.driver.find_element(By.CSS_SELECTOR, '#sort option[value="name"]').click()
        names = [by_page[c["page"]]["name"] for c in self.cards()]
        self.assertEqual(names, sorted(names, key=str.casefold))

    def copied_by_each_button(self):
        """What each copy button hands the clipboard, by "page key"."""
        # The clipboard of a headless browser is not to be read, so the page's
        # own calls to it are recorded.
        self.driver.execute_script(
            "window.copied = {};"
            "Object.defineProperty(navigator, 'clipboard', {value: {writeText: (text) => {"
            "  const button = document.activeElement;"
            "  window.copied[button.closest('article').dataset.page + ' ' + button.dataset.copy] = text;"
            "  return Promise.resolve(); }}});")
        for button in self.driver.find_elements(By.CSS_SELECTOR, "[data-copy]"):
            self.driver.execute_script("arguments[0].scrollIntoView()", button)
            button.click()
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
            defined = set(re.findall(r"^fn (\w+) slot: =$", f.read(), re.M))
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
        for entry in self.metals:
            if "error" in entry:
                continue
            function = "aurivel_" + re.sub(r"[^A-Za-z0-9]", "_", entry["page"])
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
        self.driver.find_element(By.TAG_NAME, "body").click()
        numbers = self.driver.execute_script(NUMBER_LINES)
        self.assertGreater(len(numbers), 0)
        self.assertEqual([n for n in numbers if n["lines"] > 1], [])
        labels = self.driver.execute_script(PICTURE_LABELS)
        self.assertEqual(len(labels), 4 * sum("error" not in e for e in self.metals))
        for label in labels:
            inside = all(label["figure"][side] <= label["label_box"][side] for side in ("left", "top")) and all(
                label["label_box"][side] <= label["figure"][side] for side in ("right", "bottom"))
            self.assertTrue(inside and not label["overflows"], label)
        for control in self.driver.execute_script(CONTROLS):
            # Beside each other: their boxes share a line.
            self.assertLess(control["label_top"], control["control_bottom"], control)
            self.assertLess(control["control_top"], control["label_bottom"], control)

    def test_at_390_pixels_the_curves_text_is_at_least_10_css_pixels(self):
        self.view(390)
        scales = self.driver.execute_script(
            "return [...document.querySelectorAll('a[data-picture=curves] img')]"
            ".map((img) => img.getBoundingClientRect().width / img.naturalWidth);")
        self.assertEqual(len(scales), sum("error" not in e for e in self.metals))
        for scale in scales:
            # The plots' text is drawn 14 pixels high (kPlotTextHeight in tools/preview/render/plot.h).
            self.assertGreaterEqual(14 * scale, 10.0)

    def test_no_sideways_scrolling_at_390_and_1280_pixels(self):
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
