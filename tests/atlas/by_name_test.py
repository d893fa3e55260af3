#!/usr/bin/python3
"""Each metal by name: what `--nk NAME` takes is the page the atlas recommends and metals.ms's functions by name make.

Usage: by_name_test.py TOOL DATABASE ATLAS_FOLDER [unittest options]
"""
import json
import os
import subprocess
import sys
import unittest

TOOL, DATABASE, ATLAS = (sys.argv.pop(1) for _ in range(3)) if len(sys.argv) > 3 else ("", "", "")


class ByNameTest(unittest.TestCase):
    def test_each_metal_by_name_takes_the_page_its_card_recommends(self):
        with open(os.path.join(ATLAS, "metals.json"), encoding="utf-8") as f:
            atlas = json.load(f)
        metals = {entry["page"]: entry for entry in atlas["metals"]}
        self.assertGreater(len(atlas["books"]), 0)
        for book in atlas["books"]:
            with self.subTest(metal=book["name"]):
                run = subprocess.run([TOOL, "--nk-db", DATABASE, "--nk", book["name"], "--maxscript"],
                                     capture_output=True, text=True)
                if "recommended" not in book:
                    self.assertEqual(run.returncode, 1, run.stderr)
                    self.assertIn("no page is recommended", run.stderr)
                    continue
                self.assertEqual(run.returncode, 0, run.stderr)
                self.assertTrue(run.stderr.startswith(
                    "%s: %s's recommended page, %s (" % (book["name"], book["name"], book["recommended"])), run.stderr)
                # The same map as the page's functions make, which the metal's functions by name call.
                self.assertEqual(run.stdout, metals[book["recommended"]]["maxscript"])


if __name__ == "__main__":
    if not ATLAS:
        sys.exit(__doc__)
    unittest.main()
