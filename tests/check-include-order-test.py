#!/usr/bin/env python3
"""The include order check on planted files: each row plants one file with
one line in an empty source tree and expects the check's exit code.

    python3 tests/check-include-order-test.py
"""

import os
import subprocess
import sys
import tempfile

CHECK = os.path.join(os.path.dirname(os.path.abspath(__file__)), "check-include-order.py")

# File, its one line, exit code of the check (1: refused).
PLANTED = [
    ("framework/dialog.cpp", '#include "settings/config_file.h"', 1),
    ("framework/dialog.cpp", '#include "sync/sync_run.h"', 1),
    ("framework/dialog.cpp", '#include "platform/handles.h"', 0),
    ("settings/config_file.cpp", '#include "sync/safe_copy.h"', 1),
    ("settings/config_file.cpp", '#include "settings/power_class.h"', 1),
    ("settings/power_class.cpp", '#include "sync/safe_copy.h"', 0),
    ("i18n/translation.h", '#include "settings/power_class.h"', 1),
    ("i18n/translation.h", '#include "settings/config_file.h"', 0),
    ("launcher/launch.cpp", '#include "settings/power_class.h"', 0),
    ("launcher/launch.cpp", '#include "i18n/translation.h"', 1),
    ("schedule/countdown.cpp", '#include "platform/files.h"', 1),
    ("resources/resource.h", '#include "base/errors.h"', 1),
    ("sync/folder_scan.cpp", "#include <windows.h>", 1),
    ("platform/files_win32.cpp", "#include <windows.h>", 0),
]


def main():
    failures = 0
    for path, line, expected in PLANTED:
        with tempfile.TemporaryDirectory() as root:
            os.makedirs(os.path.join(root, os.path.dirname(path)))
            with open(os.path.join(root, path), "w", encoding="utf-8") as f:
                f.write(line + "\n")
            code = subprocess.run([sys.executable, CHECK, root], capture_output=True).returncode
        if code != expected:
            print(f"{path} with {line}: exit {code}, expected {expected}")
            failures += 1
    print(f"{len(PLANTED) - failures} of {len(PLANTED)} planted files judged as expected")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
