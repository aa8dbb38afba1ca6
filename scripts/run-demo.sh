#!/usr/bin/env bash
# Builds the program, prepares the demo — the embedded ERP database DEMO and the legacy folder the window
# points at by default — and starts the program logged in to it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target migrador migra-sql

demo="$PWD/build/demo"
export MIGRA_HOME="$demo"            # the program's own files: consultas.qvx, QVERR.LOG
export MIGRA_DRIVES="$demo/drives"   # where Windows drive letters lead: Z:\ is $MIGRA_DRIVES/z
legacy="$MIGRA_DRIVES/z/VORIRADIRIV/MIGRAR/DEMO"
mkdir -p "$legacy" "$demo/db"
if [[ -f tools/demo/make_legacy_folder.py ]]; then
    /usr/bin/python3 tools/demo/make_legacy_folder.py "$legacy" --cheque-file "$MIGRA_DRIVES/d/"
fi

server="sqlite:$demo/db"
build/tools/migra-sql "PROVIDER=SQLOLEDB;Server=$server;Database =DEMO;UId=demo;Pwd=;" tools/demo/erp-demo-data.sql

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "There is no display to show the window on. Run it under a virtual one:" >&2
    echo "    apt-get install -y xvfb && xvfb-run -a $0" >&2
    exit 1
fi
exec build/app/migrador "@Server=$server;@DbName=DEMO;@Usuario=demo;@Password=;"
