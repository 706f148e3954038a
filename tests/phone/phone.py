#!/usr/bin/python3
"""The emulated phone: an adb server on 127.0.0.1 that the real adb client talks to.

    phone.py --scenario S.json --record R.jsonl [--port N] [--port-file F] [--idle S] [--limit S]

Prints "port N" on its first line (and writes N to the port file) once it listens; ends on
host:kill, after --idle seconds without a connection, or after --limit seconds."""
import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from recorder import Recorder  # noqa: E402
from scenario import Scenario  # noqa: E402
from server import AdbServer  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--scenario", required=True)
    parser.add_argument("--record")
    parser.add_argument("--port", type=int, default=0, help="0: a free port")
    parser.add_argument("--port-file")
    parser.add_argument("--idle", type=float, default=120)
    parser.add_argument("--limit", type=float, default=900)
    options = parser.parse_args()

    recorder = Recorder(options.record)
    server = AdbServer(Scenario.load(options.scenario), recorder, options.port)
    if options.port_file:
        with open(options.port_file + ".tmp", "w") as f:
            f.write(f"{server.port}\n")
        os.replace(options.port_file + ".tmp", options.port_file)
    print(f"port {server.port}", flush=True)
    try:
        reason = server.serve(options.idle, options.limit)
    finally:
        server.close()
    recorder.write(stopped=reason)
    recorder.close()


if __name__ == "__main__":
    main()
