"""Build backend of the quillon Python package (PEP 517), standard library only.

`pip install --no-build-isolation --no-index .` calls it from the source tree:
it configures and builds the Python front end with CMake for the interpreter
that runs it, installs the front end's `wheel` component (the package, its
type stubs, the extension, and beside it the host library, the host object
system and the types module, run paths "$ORIGIN") into a staging directory,
and writes a wheel of that directory for this interpreter's tag.

The build directory is build/wheel-<tag> of the source tree (set another with
QUILLON_WHEEL_BUILD_DIR or `--config-settings build-dir=DIR`), kept between
builds: a second install for the same interpreter only relinks what changed.
"""

import base64
import csv
import hashlib
import io
import os
import re
import shutil
import subprocess
import sys
import sysconfig
import tarfile
import tempfile
import zipfile

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
# What the wheel needs: the extension and the type stubs (which depend on
# the host libraries and the module). Tests and benchmarks are not built.
TARGETS = ("quillon_stubs",)


def _project():
    """Name, version, summary and Python requirement from pyproject.toml's
    [project] table (plain `key = "text"` lines are all it uses)."""
    fields, section = {}, None
    with open(os.path.join(SOURCE, "pyproject.toml"), encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            header = re.fullmatch(r"\[([^\]]+)\]", line)
            if header:
                section = header.group(1).strip()
                continue
            m = re.fullmatch(r'([A-Za-z0-9_-]+)\s*=\s*"([^"]*)"', line)
            if m and section == "project":
                fields[m.group(1)] = m.group(2)
    for key in ("name", "version"):
        if key not in fields:
            raise RuntimeError(f"pyproject.toml: [project] has no {key}")
    return fields


def _dist_name(project):
    return re.sub(r"[-_.]+", "_", project["name"]).lower()


def _metadata(project):
    lines = ["Metadata-Version: 2.1", f"Name: {project['name']}", f"Version: {project['version']}"]
    if "description" in project:
        lines.append(f"Summary: {project['description']}")
    if "requires-python" in project:
        lines.append(f"Requires-Python: {project['requires-python']}")
    return "\n".join(lines) + "\n"


def _tag():
    """(python tag, abi tag, platform tag) of the running interpreter, e.g.
    ("cp312", "cp312", "linux_x86_64")."""
    impl = {"cpython": "cp"}.get(sys.implementation.name, sys.implementation.name)
    python = f"{impl}{sys.version_info[0]}{sys.version_info[1]}"
    abi = python
    soabi = sysconfig.get_config_var("SOABI") or ""
    # cpython-313t-x86_64-linux-gnu: a free-threaded (or debug, "d") build.
    m = re.match(r"cpython-\d+([a-z]*)-", soabi)
    if m:
        abi += m.group(1)
    platform = re.sub(r"[^A-Za-z0-9]", "_", sysconfig.get_platform())
    return python, abi, platform


def _interpreter():
    """The interpreter CMake builds for: the base interpreter of a virtual
    environment (the same headers and ABI, and a path that outlives the
    environment)."""
    base = getattr(sys, "_base_executable", None)
    if base and os.path.exists(base):
        return base
    return sys.executable


def _build_dir(config_settings, tag):
    explicit = (config_settings or {}).get("build-dir") or os.environ.get("QUILLON_WHEEL_BUILD_DIR")
    if explicit:
        return os.path.abspath(explicit)
    return os.path.join(SOURCE, "build", "wheel-" + "-".join(tag[:2]))


def _run(cmd, env):
    # pip shows this with -v; a failure shows it anyway.
    print("+ " + " ".join(cmd), flush=True)
    subprocess.run(cmd, check=True, env=env)


def _environment():
    env = dict(os.environ)
    # The compiler cache, when there is one: the libraries compile exactly
    # as in any other build of the tree, and the wheel's copies are stripped,
    # so the build directory need not be part of what is cached.
    if shutil.which("ccache"):
        env.setdefault("CMAKE_CXX_COMPILER_LAUNCHER", "ccache")
        env.setdefault("CCACHE_NOHASHDIR", "1")
    # Not the caller's Python path: the build's own interpreter runs the
    # stub generator against the build tree.
    env.pop("PYTHONPATH", None)
    return env


def _build_package(staging, config_settings):
    """Builds and stages the package's files under staging/quillon."""
    tag = _tag()
    build = _build_dir(config_settings, tag)
    env = _environment()
    cmake = shutil.which("cmake") or "cmake"
    configure = [cmake, "-S", SOURCE, "-B", build, "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                 f"-DPython3_EXECUTABLE={_interpreter()}", "-DQUILLON_BENCH=OFF"]
    if not os.path.exists(os.path.join(build, "CMakeCache.txt")) and shutil.which("ninja"):
        configure += ["-G", "Ninja"]
    _run(configure, env)
    _run([cmake, "--build", build, "--target", *TARGETS], env)
    _run([cmake, "--install", build, "--prefix", staging, "--component", "wheel", "--strip"], env)
    if not os.path.isdir(os.path.join(staging, "quillon")):
        raise RuntimeError(f"the wheel component installed nothing under {staging}/quillon")
    return tag


def _record_hash(data):
    digest = hashlib.sha256(data).digest()
    return "sha256=" + base64.urlsafe_b64encode(digest).rstrip(b"=").decode("ascii")


class _Wheel:
    """A wheel being written: every file goes into RECORD with its hash."""

    def __init__(self, path):
        self._zip = zipfile.ZipFile(path, "w", compression=zipfile.ZIP_DEFLATED)
        self._records = []

    def add(self, arcname, data, executable=False):
        info = zipfile.ZipInfo(arcname, date_time=(1980, 1, 1, 0, 0, 0))
        info.external_attr = (0o100755 if executable else 0o100644) << 16
        info.compress_type = zipfile.ZIP_DEFLATED
        self._zip.writestr(info, data)
        self._records.append((arcname, _record_hash(data), str(len(data))))

    def close(self, record_name):
        out = io.StringIO()
        writer = csv.writer(out, lineterminator="\n")
        writer.writerows(self._records)
        writer.writerow((record_name, "", ""))
        info = zipfile.ZipInfo(record_name, date_time=(1980, 1, 1, 0, 0, 0))
        info.external_attr = 0o100644 << 16
        self._zip.writestr(info, out.getvalue(), compress_type=zipfile.ZIP_DEFLATED)
        self._zip.close()


def _wheel_text(tag):
    return ("Wheel-Version: 1.0\n"
            "Generator: quillon_build\n"
            "Root-Is-Purelib: false\n"
            f"Tag: {'-'.join(tag)}\n")


# ---- PEP 517 hooks -----------------------------------------------------------

def get_requires_for_build_wheel(config_settings=None):
    return []


def get_requires_for_build_sdist(config_settings=None):
    return []


def prepare_metadata_for_build_wheel(metadata_directory, config_settings=None):
    project = _project()
    dist_info = f"{_dist_name(project)}-{project['version']}.dist-info"
    os.makedirs(os.path.join(metadata_directory, dist_info), exist_ok=True)
    with open(os.path.join(metadata_directory, dist_info, "METADATA"), "w", encoding="utf-8") as f:
        f.write(_metadata(project))
    with open(os.path.join(metadata_directory, dist_info, "WHEEL"), "w", encoding="utf-8") as f:
        f.write(_wheel_text(_tag()))
    return dist_info


def build_wheel(wheel_directory, config_settings=None, metadata_directory=None):
    project = _project()
    name, version = _dist_name(project), project["version"]
    dist_info = f"{name}-{version}.dist-info"
    with tempfile.TemporaryDirectory(prefix="quillon-wheel-") as staging:
        tag = _build_package(staging, config_settings)
        filename = f"{name}-{version}-{'-'.join(tag)}.whl"
        wheel = _Wheel(os.path.join(wheel_directory, filename))
        for root, dirs, files in os.walk(staging):
            dirs.sort()
            for file in sorted(files):
                path = os.path.join(root, file)
                arcname = os.path.relpath(path, staging).replace(os.sep, "/")
                with open(path, "rb") as f:
                    data = f.read()
                wheel.add(arcname, data, executable=os.access(path, os.X_OK))
        wheel.add(f"{dist_info}/METADATA", _metadata(project).encode("utf-8"))
        wheel.add(f"{dist_info}/WHEEL", _wheel_text(tag).encode("utf-8"))
        wheel.close(f"{dist_info}/RECORD")
    return filename


def build_sdist(sdist_directory, config_settings=None):
    """The tracked files of the source tree (git ls-files), with PKG-INFO."""
    project = _project()
    base = f"{_dist_name(project)}-{project['version']}"
    files = subprocess.run(["git", "-C", SOURCE, "ls-files", "-z"], check=True,
                           capture_output=True).stdout.decode("utf-8").split("\0")
    filename = base + ".tar.gz"
    with tarfile.open(os.path.join(sdist_directory, filename), "w:gz", format=tarfile.PAX_FORMAT) as tar:
        for rel in sorted(f for f in files if f):
            tar.add(os.path.join(SOURCE, rel), arcname=f"{base}/{rel}", recursive=False)
        info = tarfile.TarInfo(f"{base}/PKG-INFO")
        data = _metadata(project).encode("utf-8")
        info.size = len(data)
        tar.addfile(info, io.BytesIO(data))
    return filename
