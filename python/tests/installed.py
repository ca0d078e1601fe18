"""Installs the build into a fresh prefix, other than the one it was
configured for, and runs python/README.md's example there, its first
python block after "## Example", with the installed module
alone: it must print the text block that follows. The module finds the
installed library by its run path alone, whatever prefix it was built for.

    installed.py CMAKE BUILD_DIR PREFIX PYTHON_DIR README
"""
import os
import re
import shutil
import subprocess
import sys

cmake, build, prefix, python_dir, readme = sys.argv[1:6]
shutil.rmtree(prefix, ignore_errors=True)
subprocess.run([cmake, "--install", build, "--prefix", prefix], check=True,
               stdout=subprocess.DEVNULL)
site = os.path.join(prefix, python_dir)

text = open(readme, encoding="utf-8").read()
section = text[text.index("\n## Example\n"):]
match = re.search(r"\n```python\n(.*?\n)```\n[^`]*\n```text\n(.*?\n)```", section, re.S)
assert match, "python/README.md: no Python example and output under 'Example'"
example, expected = match.groups()

environment = {k: v for k, v in os.environ.items() if k not in ("PYTHONPATH", "LD_LIBRARY_PATH")}
environment["PYTHONPATH"] = site
check = "import aeonmark, sys; assert aeonmark.__file__.startswith(sys.argv[1]), aeonmark.__file__\n"
run = subprocess.run([sys.executable, "-s", "-c", check + example, site], env=environment,
                     cwd=prefix, capture_output=True, text=True)
if run.returncode != 0 or run.stderr or run.stdout != expected:
    sys.exit(f"the README's Python example, installed: status {run.returncode}\n{run.stderr}"
             f"printed:\n{run.stdout}expected:\n{expected}")
shutil.rmtree(prefix)
print(f"the README's Python example prints what it says with {site}")
