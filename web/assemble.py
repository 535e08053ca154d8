"""The page's two build steps, around Emscripten's own:
    assemble.py shell WEB_FOLDER OUT   the shell Emscripten takes: shell.html with the page's
                                       scripts put in, in the order of SCRIPTS
    assemble.py policy PAGE            the page as Emscripten wrote it, its security policy naming
                                       the hash of each script written into it, the only ones
                                       allowed to run besides the page's own files"""
import base64
import hashlib
import os
import re
import sys

SCRIPTS = ["texts.js", "files.js", "page.js", "console.js", "drawing.js", "window.js",
           "links.js"]


def shell(folder, out):
    with open(os.path.join(folder, "shell.html"), encoding="utf-8") as f:
        page = f.read()
    code = ""
    for name in SCRIPTS:
        with open(os.path.join(folder, name), encoding="utf-8") as f:
            code += f.read()
    page = page.replace("<!-- the page's scripts -->", "<script>\n" + code + "</script>")
    with open(out, "w", encoding="utf-8") as f:
        f.write(page)


def policy(path):
    with open(path, encoding="utf-8") as f:
        page = f.read()
    hashes = []
    for code in re.findall(r"<script>(.*?)</script>", page, re.S):
        digest = hashlib.sha256(code.encode("utf-8")).digest()
        hashes.append("'sha256-%s'" % base64.b64encode(digest).decode("ascii"))
    with open(path, "w", encoding="utf-8") as f:
        f.write(page.replace("SCRIPT-HASHES", " ".join(hashes), 1))


if __name__ == "__main__":
    if sys.argv[1] == "shell":
        shell(sys.argv[2], sys.argv[3])
    else:
        policy(sys.argv[2])
