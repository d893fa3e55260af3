#!/usr/bin/env python3
"""scripts/package.sh refuses, with status 2 and a message naming it, what it cannot make a package of or would have to
destroy, before it builds or writes anything.

Usage: package_script_test.py PACKAGE_SH
"""
import os
import subprocess
import sys
import tempfile
import unittest

PACKAGE_SH = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else ""


def sdk_folder(parent, name, version_header):
    folder = os.path.join(parent, name)
    os.makedirs(os.path.join(folder, "include"))
    if version_header is not None:
        with open(os.path.join(folder, "include", "maxversion.h"), "w", encoding="utf-8") as f:
            f.write(version_header)
    return folder


class BadInputTest(unittest.TestCase):
    def test_each_bad_input_is_named_and_ends_with_status_2(self):
        with tempfile.TemporaryDirectory() as work:
            out = os.path.join(work, "out")
            year_2024 = "#pragma once\n\n#define MAX_PRODUCT_YEAR_NUMBER 2024\n"
            first = sdk_folder(work, "first", year_2024)
            second = sdk_folder(work, "second", year_2024)
            no_header = sdk_folder(work, "no-header", None)
            no_year = sdk_folder(work, "no-year", "#pragma once\n")
            missing = os.path.join(work, "missing")
            cases = [
                ([], "no --sdk folder given"),
                (["--sdk", first, "--release"], "unknown option '--release'"),
                (["--sdk"], "--sdk needs a folder"),
                (["--sdk", first, "--out"], "--out needs a folder"),
                (["--sdk", missing], f"--sdk {missing}: no such folder"),
                (["--sdk", no_header], f"--sdk {no_header}: it has no include/maxversion.h, so it is no 3ds Max SDK"),
                (["--sdk", no_year], f"--sdk {no_year}: its include/maxversion.h defines no MAX_PRODUCT_YEAR_NUMBER"),
                (["--sdk", first, "--sdk", second], f"--sdk {first} and --sdk {second} are both for 3ds Max 2024"),
            ]
            for args, message in cases:
                with self.subTest(args=args):
                    done = subprocess.run(["bash", PACKAGE_SH, "--out", out, *args], capture_output=True, text=True,
                                          timeout=60)
                    self.assertEqual(done.returncode, 2, done.stderr)
                    self.assertIn("package.sh: " + message + "\n", done.stderr)
                    self.assertIn("usage: scripts/package.sh --sdk DIR", done.stderr)
                    self.assertEqual(done.stdout, "", "no step begun")
                    self.assertFalse(os.path.exists(out), "nothing written")

    def test_an_out_folder_whose_aurivel_bundle_is_not_a_package_is_refused_and_kept(self):
        with tempfile.TemporaryDirectory() as work:
            sdk = sdk_folder(work, "sdk", "#define MAX_PRODUCT_YEAR_NUMBER 2024\n")
            mine = os.path.join(work, "out", "Aurivel.bundle", "notes.txt")
            os.makedirs(os.path.dirname(mine))
            with open(mine, "w", encoding="utf-8") as f:
                f.write("mine")
            done = subprocess.run(["bash", PACKAGE_SH, "--sdk", sdk, "--out", os.path.join(work, "out")],
                                  capture_output=True, text=True, timeout=60)
            self.assertEqual(done.returncode, 2, done.stderr)
            self.assertIn("its Aurivel.bundle is in the way, as it is no Aurivel package", done.stderr)
            self.assertEqual(os.listdir(os.path.join(work, "out")), ["Aurivel.bundle"])
            with open(mine, encoding="utf-8") as f:
                self.assertEqual(f.read(), "mine")


if __name__ == "__main__":
    unittest.main()
