"""The commands the phone's shell runs for adb: getprop, pm, cmd package, rm, ls -l of a
pushed file, wm density where the scenario gives the phone a "density", dumpsys package, df,
stat -f, am start, monkey; anything else is not found, as the phone's sh says. What the
package manager knows of installed packages and launcher activities, and the free space of
/data, come from the scenario (scenario.py)."""
import shlex

import phone_state


class DeviceShell:
    def __init__(self, package_manager, files):
        self.package_manager = package_manager
        self.files = files

    def run(self, device, command, read_stdin):
        """One command line as the shell gets it: (stdout, stderr, exit code)."""
        try:
            words = shlex.split(command)
        except ValueError:
            return "", "/system/bin/sh: syntax error: unterminated quoted string\n", 2
        if not words:
            return "", "", 0
        name, args = words[0], words[1:]
        if name == "getprop":
            return self.getprop(device, args), "", 0
        if name == "pm":
            if args[:2] == ["list", "packages"]:
                return phone_state.list_packages(device, args[2:])
            return self.package_manager.run(device, args, read_stdin)
        if name == "cmd" and "cmd" in device["features"].split(","):
            if args[:1] != ["package"]:
                return "", f"Can't find service: {args[0] if args else ''}\n", 20
            if args[1:2] == ["resolve-activity"]:
                return phone_state.resolve_activity(device, args[2:])
            if args[1:3] == ["list", "packages"]:
                return phone_state.list_packages(device, args[3:])
            return self.package_manager.run(device, args[1:], read_stdin)
        if name == "wm" and "density" in device:
            return self.wm(device, args)
        if name == "ls":
            return self.ls(device, args)
        if name == "dumpsys" and args[:1] == ["package"]:
            return phone_state.dumpsys_package(device, args[1:])
        if name == "df":
            return phone_state.df(device, args)
        if name == "stat" and args[:1] == ["-f"]:
            return phone_state.stat_fs(device, args[1:])
        if name == "am" and args[:1] == ["start"]:
            return phone_state.am_start(device, args[1:])
        if name == "monkey":
            return phone_state.monkey(device, args)
        if name == "rm":
            for path in (a for a in args if not a.startswith("-")):
                self.files.remove(device["serial"], path)
            return "", "", 0
        return "", f"/system/bin/sh: {name}: not found\n", 127

    @staticmethod
    def wm(device, args):
        if args != ["density"]:
            return "", "usage: wm [size|density] ...\n", 1
        density = device["density"]
        lines = f"Physical density: {density['physical']}\n"
        if "override" in density:
            lines += f"Override density: {density['override']}\n"
        return lines, "", 0

    def ls(self, device, args):
        """ls -l PATH as toybox prints it, for files pushed to this phone."""
        paths = [a for a in args if not a.startswith("-")]
        out, err = "", ""
        for path in paths:
            found = self.files.get(device["serial"], path)
            if found:
                out += f"-rw-rw---- 1 root sdcard_rw {found['size']} 2024-01-01 00:00 {path}\n"
            else:
                err += f"ls: {path}: No such file or directory\n"
        return out, err, 1 if err else 0

    @staticmethod
    def getprop(device, args):
        properties = device["properties"]
        if args:
            return properties.get(args[0], args[1] if len(args) > 1 else "") + "\n"
        return "".join(f"[{k}]: [{v}]\n" for k, v in sorted(properties.items()))
