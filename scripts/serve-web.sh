#!/usr/bin/env bash
# Serves the page (dist/web, built first if missing) on localhost and prints its address.
#   serve-web.sh [PORT]     (default 8080; 0 takes any free port)
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f dist/web/index.html ] || ./scripts/build-web.sh
exec python3 - "${1:-8080}" <<'PYTHON'
import functools, http.server, sys

class Handler(http.server.SimpleHTTPRequestHandler):
    # Browsers compile WebAssembly as it arrives only when it comes as application/wasm.
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map,
                          **{".wasm": "application/wasm", ".js": "text/javascript"})

server = http.server.ThreadingHTTPServer(
    ("127.0.0.1", int(sys.argv[1])), functools.partial(Handler, directory="dist/web"))
print("spring-chain: http://127.0.0.1:%d/  (Ctrl-C stops it)" % server.server_address[1],
      flush=True)
try:
    server.serve_forever()
except KeyboardInterrupt:
    pass
PYTHON
