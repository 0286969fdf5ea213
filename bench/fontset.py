"""A private fontconfig configuration that leaves some font packages out, so
that a benchmark can measure the programs as on a machine without them while
the packages stay installed for everyone else on this one.

It is the system's own /etc/fonts/fonts.conf with two changes: the font
folders it names are only those that hold none of the left-out packages'
files, and its conf.d is a private folder with every file of the system's
conf.d except the left-out packages' own (such as 70-fonts-noto-cjk.conf).
fontconfig 2.14 reads `<dir prefix="xdg">fonts</dir>` as the fonts folder of
XDG_DATA_HOME and of every XDG_DATA_DIRS entry (so /usr/share/fonts a second
time): those folders are written out one by one, judged the same way. The
system's font caches are used as they are: they are kept per folder. Point
FONTCONFIG_FILE at the file that make() returns."""

import os
import subprocess
import sys
import tempfile
from pathlib import Path

SYSTEM_CONF = Path("/etc/fonts/fonts.conf")
SYSTEM_CONF_D = Path("/etc/fonts/conf.d")
FONT_ROOT = Path("/usr/share/fonts")
XDG_LINE = '<dir prefix="xdg">fonts</dir>'


def package_files(package):
    result = subprocess.run(["dpkg", "-L", package], capture_output=True, text=True)
    if result.returncode != 0:
        raise SystemExit(f"fontset: {package} is not installed (dpkg -L {package})")
    return {Path(line) for line in result.stdout.splitlines() if line.strip()}


def font_folders(folder, left_out):
    """The folders to name in place of `folder`: the folder itself when none
    of the left-out files lies beneath it, otherwise its subfolders, each
    judged the same way (fontconfig scans a named folder recursively)."""
    files = [path for path in folder.rglob("*") if path.is_file()]
    if not any(path in left_out for path in files):
        return [folder]
    if any(path.is_file() and path not in left_out for path in folder.iterdir()):
        raise SystemExit(f"fontset: {folder} mixes left-out fonts with others")
    folders = []
    for child in sorted(folder.iterdir()):
        if child.is_dir():
            folders += font_folders(child, left_out)
    return folders


def dir_lines(root, left_out):
    return [f"<dir>{path}</dir>" for path in font_folders(root, left_out)] if root.is_dir() else [f"<dir>{root}</dir>"]


def make(without, environment, folder=None):
    """Writes the configuration for programs started with `environment`
    into `folder` (a new temporary one when None) and returns the path of
    its fonts.conf."""
    left_out = set()
    for package in without:
        left_out |= package_files(package)
    target = Path(folder or tempfile.mkdtemp(prefix="tallyfin-fonts-"))
    conf_d = target / "conf.d"
    conf_d.mkdir(parents=True, exist_ok=True)
    for entry in sorted(SYSTEM_CONF_D.iterdir()):
        if entry not in left_out and entry.suffix == ".conf":
            (conf_d / entry.name).symlink_to(entry.resolve())
    text = SYSTEM_CONF.read_text()
    root_line = f"<dir>{FONT_ROOT}</dir>"
    include_line = '<include ignore_missing="yes">conf.d</include>'
    if root_line not in text or include_line not in text:
        raise SystemExit(f"fontset: {SYSTEM_CONF} does not name {root_line} and {include_line}")
    home = environment.get("XDG_DATA_HOME") or f"{environment['HOME']}/.local/share"
    data_dirs = (environment.get("XDG_DATA_DIRS") or "/usr/local/share:/usr/share").split(":")
    xdg = [line for data in [home, *data_dirs] for line in dir_lines(Path(data) / "fonts", left_out)]
    text = text.replace(root_line, "\n\t".join(dir_lines(FONT_ROOT, left_out)))
    text = text.replace(XDG_LINE, "\n\t".join(xdg))
    text = text.replace(include_line, f'<include ignore_missing="yes">{conf_d}</include>')
    conf = target / "fonts.conf"
    conf.write_text(text)
    return conf


if __name__ == "__main__":
    # bench/fontset.py fonts-noto-cjk  -> the path of a configuration without it
    print(make(sys.argv[1:], os.environ))
