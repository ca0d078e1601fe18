"""The Python module as a wheel: python/aeonmark.c with the library's C++
sources linked in, so that it needs the C library alone and no
libaeonmark1. The sources are CMakeLists.txt's AEONMARK_LIBRARY_SOURCES,
the version include/aeonmark.h's."""
import os
import re

from setuptools import Extension, setup
from setuptools.command.sdist import sdist


def read(path):
    with open(path, encoding="utf-8") as file:
        return file.read()


def library_sources():
    found = re.search(r"^set\(AEONMARK_LIBRARY_SOURCES\s([^)]*)\)", read("CMakeLists.txt"), re.M)
    sources = re.sub(r"#.*", "", found.group(1)).split() if found else []
    if not sources:
        raise SystemExit("CMakeLists.txt: no set(AEONMARK_LIBRARY_SOURCES ...)")
    return sources


def version():
    header = read("include/aeonmark.h")
    return ".".join(re.search(rf"^#define AEONMARK_VERSION_{part} +(\d+)\b", header, re.M).group(1)
                    for part in ("MAJOR", "MINOR", "PATCH"))


# As cmake/flags.cmake builds the core: C++20 with neither exceptions nor
# run-time type information, 64-bit time_t on 32-bit targets too, and as
# the release build optimises. Every name hidden: the module exports
# PyInit_aeonmark alone. No debug information: the module is stripped, as
# the Debian package's is.
OPTIMISED = ["-O3", "-fvisibility=hidden", "-g0"]
CORE = {
    "sources": library_sources(),
    "include_dirs": ["include", "src"],
    "macros": [("_TIME_BITS", "64"), ("_FILE_OFFSET_BITS", "64")],
    "cflags": ["-std=c++20", "-fno-exceptions", "-fno-rtti", "-fvisibility-inlines-hidden"]
    + OPTIMISED,
}

# Whatever setuptools writes in the source tree goes under build/, where
# every build goes: its metadata's folder must be there beforehand. The
# sdist leaves that folder out: its own PKG-INFO is the metadata.
BUILD = os.path.join("build", "setuptools")
os.makedirs(BUILD, exist_ok=True)


class SdistOfSources(sdist):
    def make_release_tree(self, base_dir, files):
        super().make_release_tree(base_dir, [name for name in files if not name.startswith(BUILD)])


setup(
    version=version(),
    # The types as a stub-only package beside the module (PEP 561): mypy
    # finds no stub file beside a module outside a package.
    packages=["aeonmark-stubs"],
    package_dir={"": "python"},
    package_data={"aeonmark-stubs": ["__init__.pyi", "py.typed"]},
    libraries=[("aeonmark_core", CORE)],
    ext_modules=[Extension(
        "aeonmark", ["python/aeonmark.c"], include_dirs=["include"],
        define_macros=CORE["macros"], py_limited_api=True,
        extra_compile_args=["-std=c11"] + OPTIMISED,
        # Linked with the C compiler: the core needs nothing of the C++
        # library; the compiler's helpers linked in, as the shared library's.
        extra_link_args=["-static-libgcc", "-Wl,-z,relro,-z,now", "-s"])],
    # Python's stable ABI from 3.8 (Py_LIMITED_API in aeonmark.c): cp38-abi3.
    options={"bdist_wheel": {"py_limited_api": "cp38"}, "build": {"build_base": BUILD},
             "egg_info": {"egg_base": BUILD}},
    cmdclass={"sdist": SdistOfSources},
)
