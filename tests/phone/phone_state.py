"""What the phone's system says about itself beyond installs, as the scenario sets it:

    "installed": {PACKAGE: {"versionCode": N, "versionName": TEXT}, ...}
    "launchers": {PACKAGE: "PACKAGE/.Activity", ...}   the launcher activity of a package
    "data_free_kb": N                                   free 1K blocks of /data

in the output formats of the phone's generation: toybox's df and pm's --show-versioncode
from Android 8 ("modern", "android10"), toolbox's df and a pm without the option before
("legacy"); stat -f as toybox prints it, where the phone has it."""

DEFAULT_FREE_KB = 8 * 1024 * 1024


def generation(device):
    return "legacy" if device.get("profile") == "legacy" else "modern"


def sdk(device):
    try:
        return int(device["properties"].get("ro.build.version.sdk", "0"))
    except ValueError:
        return 0


def list_packages(device, args):
    show_code = "--show-versioncode" in args
    if show_code and sdk(device) < 26:
        return "Error: Unknown option: --show-versioncode\n", "", 1
    filters = [a for a in args if not a.startswith("-")]
    lines = []
    for name, version in sorted(device.get("installed", {}).items()):
        if filters and filters[0] not in name:
            continue
        lines.append(f"package:{name}" + (f" versionCode:{version.get('versionCode', 0)}" if show_code else ""))
    return "".join(line + "\n" for line in lines), "", 0


def dumpsys_package(device, args):
    name = args[0] if args else ""
    version = device.get("installed", {}).get(name)
    if version is None:
        return f"Dexopt state:\n  Unable to find package: {name}\n", "", 0
    min_sdk = " minSdk=21" if generation(device) == "modern" else ""
    return ("Activity Resolver Table:\n  Non-Data Actions:\n\n"
            "Packages:\n"
            f"  Package [{name}] (8e1c7a2):\n"
            "    userId=10153\n"
            f"    pkg=Package{{2a5c0f3 {name}}}\n"
            f"    versionCode={version.get('versionCode', 0)}{min_sdk} targetSdk=29\n"
            f"    versionName={version.get('versionName', '')}\n"
            "    flags=[ HAS_CODE ALLOW_CLEAR_USER_DATA ]\n"), "", 0


def free_kb(device):
    return int(device.get("data_free_kb", DEFAULT_FREE_KB))


def df(device, args):
    free = free_kb(device)
    total = max(free * 2, 4 * 1024 * 1024)
    if generation(device) == "legacy":
        return ("Filesystem               Size     Used     Free   Blksize\n"
                f"/data                 {human(total * 1024)}   {human((total - free) * 1024)}   "
                f"{human(free * 1024)}   4096\n"), "", 0
    return ("Filesystem       1K-blocks    Used Available Use% Mounted on\n"
            f"/dev/block/dm-2  {total:>9} {total - free:>7} {free:>9}  50% /data\n"), "", 0


def human(size):
    """toolbox df's sizes: one decimal and K, M or G, base 1024."""
    for unit, factor in (("G", 1 << 30), ("M", 1 << 20), ("K", 1 << 10)):
        if size >= factor:
            return f"{size / factor:.1f}{unit}"
    return str(size)


def stat_fs(device, args):
    blocks = free_kb(device) // 4
    return ('  File: "/data"\n    ID: 2c8a1b3e5d7f9012 Namelen: 255    Type: ext2/ext3\n'
            "Block Size: 4096    Fundamental block size: 4096\n"
            f"Blocks: Total: {blocks * 2}  Free: {blocks}  Available: {blocks}\n"
            "Inodes: Total: 3260416   Free: 3198003\n"), "", 0


def resolve_activity(device, args):
    name = args[-1] if args else ""
    component = device.get("launchers", {}).get(name)
    if "--brief" in args and component:
        return ("priority=0 preferredOrder=0 match=0x108000 specificIndex=-1 isDefault=false\n"
                f"{component}\n"), "", 0
    return "No activity found\n", "", 0


def am_start(device, args):
    if "-n" not in args or args.index("-n") + 1 >= len(args):
        return "", "Error: no component\n", 1
    component = args[args.index("-n") + 1]
    if component not in device.get("launchers", {}).values():
        return (f"Starting: Intent {{ cmp={component} }}\nError type 3\n"
                f"Error: Activity class {{{component}}} does not exist.\n"), "", 1
    return f"Starting: Intent {{ cmp={component} }}\n", "", 0


def monkey(device, args):
    name = args[args.index("-p") + 1] if "-p" in args and args.index("-p") + 1 < len(args) else ""
    if name not in device.get("launchers", {}):
        return "  bash arg: -p\n** No activities found to run, monkey aborted.\n", "", 252
    return f"  bash arg: -p\n  bash arg: {name}\nEvents injected: 1\n## Network stats: elapsed time=20ms\n", "", 0
