#!/usr/bin/env python3
"""Every command README.md shows, checked against the source and a finished build.

A command is a line of a code block, or a code span that starts like one (a program, a script, a
path into the build). Each is checked as far as a test can without building or installing anything
for the user: test filters must select tests, options must be ones the program or the script takes,
targets and build options must exist, and what is cheap and safe to run (installing into a scratch
prefix and uninstalling again, backing up and restoring a device, --help and --version) is run. A
command this file has no particular check for must at least name a program that is there.

    readme_commands.py SOURCE_DIR BUILD_DIR
"""
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile

SOURCE = os.path.abspath(sys.argv[1])
BUILD = os.path.abspath(sys.argv[2])
OUR_PROGRAMS = {"corvina": "src/shell/main/corvina", "corvina-tool": "tools/corvina-tool"}
BUILD_TYPES = {"Debug", "Release", "RelWithDebInfo", "MinSizeRel"}
FENCE_LANGUAGES = {"", "sh", "bash", "shell", "console"}
# A code span counts as a command when it starts with one of these, even where the program is not
# installed here (apt on a machine without it would still be the user's command).
COMMAND_WORDS = {"bash", "sh", "cmake", "ctest", "cpack", "cd", "apt", "apt-get", "dpkg", "tar",
                 "xargs", "man", "sudo", "corvina", "corvina-tool"}


class Fault(Exception):
    pass


def run(arguments, cwd=None, env=None):
    return subprocess.run(arguments, cwd=cwd, env=env, capture_output=True, text=True)


def commands_of(readme):
    """The README's commands, in order: code block lines, then code spans that read as commands."""
    commands, prose = [], []
    fence = None
    previous_blank = True
    in_indented = False
    for line in readme.splitlines():
        stripped = line.strip()
        if fence is not None:
            if stripped.startswith("```"):
                fence = None
            elif fence in FENCE_LANGUAGES and stripped and not stripped.startswith("#"):
                commands.append(stripped)
            continue
        if stripped.startswith("```"):
            fence = stripped[3:].strip()
            continue
        if line.startswith("    ") and (previous_blank or in_indented) and stripped:
            in_indented = True
            commands.append(stripped)
            continue
        in_indented = in_indented and not stripped
        previous_blank = not stripped
        prose.append(line)
    for span in re.findall(r"`([^`]+)`", " ".join(prose)):
        if reads_as_command(span):
            commands.append(span.strip())
    return commands


def words_of(command):
    try:
        return shlex.split(command)
    except ValueError:
        return []


def without_assignments(words):
    assignments = []
    while words and re.fullmatch(r"[A-Za-z_][A-Za-z0-9_]*=.*", words[0]):
        assignments.append(words[0].split("=", 1)[0])
        words = words[1:]
    return assignments, words


def reads_as_command(span):
    assignments, words = without_assignments(words_of(span))
    if not words:
        return bool(assignments)
    first = words[0]
    if first in COMMAND_WORDS or first.startswith(("build/", "scripts/", "./")):
        return True
    return len(words) > 1 and shutil.which(first) is not None


def build_path(path):
    """A folder or file under build, build-release or any build-* folder is looked for in the
    build under test, which has every target."""
    head, _, rest = path.partition("/")
    if head == "build" or head.startswith("build-"):
        return os.path.join(BUILD, rest) if rest else BUILD
    return os.path.join(SOURCE, path)


def is_placeholder(word):
    return re.fullmatch(r"[A-Z][A-Z0-9_]*", word) is not None


class Checker:
    def __init__(self, scratch):
        self.scratch = scratch
        self.installed = None  # the files the last checked install put in its scratch prefix
        self.device_files = None  # a sandbox device's files as they were backed up
        self.home = os.path.join(scratch, "home")
        self.help_texts = {}

    # -- one command ------------------------------------------------------------------------------
    def check(self, command):
        parts = [part.strip() for part in command.split("&&")]
        cwd = SOURCE
        for part in parts:
            assignments, words = without_assignments(words_of(part))
            if not words:
                if not assignments:
                    raise Fault("cannot read it as a command")
                self.check_variables(assignments)
                continue
            if words[0] == "sudo":
                words = words[1:]
            if words[0] == "cd":
                cwd = build_path(words[1]) if len(words) > 1 else os.path.expanduser("~")
                if not os.path.isdir(cwd):
                    raise Fault(f"no folder {words[1]}")
                continue
            self.check_one(words, assignments, cwd, part)

    def check_one(self, words, assignments, cwd, text):
        program = words[0]
        in_build = cwd.startswith(BUILD)
        if program in ("bash", "sh"):
            self.check_script(words[1], words[2:], assignments)
        elif program.startswith("scripts/"):
            self.check_script(program, words[1:], assignments)
        elif program in OUR_PROGRAMS:
            self.check_built_program(os.path.join(BUILD, OUR_PROGRAMS[program]), words[1:])
        elif program.startswith(("build/", "build-")) or (in_build and program.startswith("./")):
            path = build_path(program) if not in_build else os.path.join(cwd, program)
            self.check_built_program(path, words[1:])
        elif program == "ctest":
            self.check_ctest(words[1:])
        elif program == "cmake":
            self.check_cmake(words[1:])
        elif program == "cpack":
            self.check_cpack(words[1:])
        elif program == "xargs":
            self.check_uninstall(text)
        elif program == "tar":
            self.check_backup(text)
        elif program in ("apt", "apt-get", "dpkg"):
            self.check_package_command(words[1:])
        elif program == "man":
            for page in words[1:]:
                if not os.path.isfile(os.path.join(SOURCE, "docs/man", page + ".1")):
                    raise Fault(f"no manual page docs/man/{page}.1")
        elif shutil.which(program) is None:
            raise Fault(f"{program} is not installed (scripts/setup.sh installs what the README uses)")

    # -- scripts ----------------------------------------------------------------------------------
    def check_variables(self, names, script=None):
        sources = [script] if script else [
            os.path.join(SOURCE, "scripts", name) for name in os.listdir(os.path.join(SOURCE, "scripts"))]
        for name in names:
            if not any(name in open(path, encoding="utf-8").read() for path in sources):
                raise Fault(f"no script reads ${name}")

    def check_script(self, script, arguments, assignments):
        path = os.path.join(SOURCE, script)
        if not os.path.isfile(path):
            raise Fault(f"no script {script}")
        syntax = run(["bash", "-n", path])
        if syntax.returncode != 0:
            raise Fault(f"{script} does not parse: {syntax.stderr}")
        self.check_variables(assignments, path)
        if not arguments:
            return
        if os.path.basename(script) != "run.sh":
            text = open(path, encoding="utf-8").read()
            for argument in arguments:
                if argument.startswith("-") and argument.split("=")[0] not in text:
                    raise Fault(f"{script} takes no {argument}")
            return
        if set(arguments) <= {"--help", "--version"}:
            # Answered by the build there is, without building: run it.
            env = dict(os.environ, CORVINA_BUILD_DIR=BUILD)
            answer = run(["bash", path] + arguments, env=env)
            expected = self.help_of(os.path.join(BUILD, OUR_PROGRAMS["corvina"]), ["--help"]) \
                if "--help" in arguments else None
            if answer.returncode != 0:
                raise Fault(f"ended with {answer.returncode}: {answer.stderr}")
            if expected is not None and answer.stdout != expected:
                raise Fault("does not print the program's usage")
            if "--version" in arguments and "--help" not in arguments and \
                    not answer.stdout.startswith("Corvina Version "):
                raise Fault(f"printed {answer.stdout!r}")
            return
        self.check_options(os.path.join(BUILD, OUR_PROGRAMS["corvina"]), arguments)

    # -- programs of the build --------------------------------------------------------------------
    def help_of(self, program, arguments):
        key = (program, tuple(arguments))
        if key not in self.help_texts:
            answer = run([program] + arguments, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
            if answer.returncode != 0:
                raise Fault(f"{' '.join(arguments)} ended with {answer.returncode}: {answer.stderr}")
            self.help_texts[key] = answer.stdout
        return self.help_texts[key]

    def check_options(self, program, arguments):
        """Options and command words must be in the program's own --help."""
        usage = self.help_of(program, ["--help"])
        name = os.path.basename(program)
        # A program used as "NAME COMMAND ..." takes a command word first; its other words, like
        # every option's value, are the user's own.
        if arguments and not arguments[0].startswith("-") and re.search(r"^Usage: \S+ COMMAND", usage):
            for word in arguments[0].split("|"):
                if not re.search(r"^\s+" + re.escape(word) + r"\b", usage, re.MULTILINE):
                    raise Fault(f"{name} --help names no command {word}")
        for argument in arguments:
            option = argument.split("=")[0]
            if argument.startswith("--") and not re.search(r"(^|\s)" + re.escape(option) + r"\b", usage):
                raise Fault(f"{name} --help names no {option}")

    def check_built_program(self, path, arguments):
        if not (os.path.isfile(path) and os.access(path, os.X_OK)):
            raise Fault(f"the build has no program {os.path.relpath(path, BUILD)}")
        name = os.path.basename(path)
        if name in OUR_PROGRAMS:
            self.check_options(path, arguments)
            return
        for argument in arguments:
            option, _, value = argument.partition("=")
            if option == "--gtest_filter":
                listed = self.help_of(path, ["--gtest_list_tests", argument])
                if not re.search(r"^  \S", listed, re.MULTILINE):
                    raise Fault(f"{argument} selects no test")
            elif option == "--benchmark_filter":
                regex = "." if is_placeholder(value) else value
                listed = self.help_of(path, ["--benchmark_list_tests=true", "--benchmark_filter=" + regex])
                if not listed.strip():
                    raise Fault(f"{argument} selects no benchmark")
            elif argument == "--help":
                self.help_of(path, ["--help"])
            else:
                raise Fault(f"no check for the option {argument} of {name}")

    def check_ctest(self, arguments):
        listed = run(["ctest", "-N"] + arguments, cwd=BUILD)
        found = re.search(r"Total Tests: (\d+)", listed.stdout)
        if listed.returncode != 0 or not found or int(found.group(1)) == 0:
            raise Fault(f"selects no test: {listed.stdout[-400:]}{listed.stderr}")

    # -- cmake, cpack and the package -------------------------------------------------------------
    def targets(self):
        listed = run(["ninja", "-C", BUILD, "-t", "targets", "all"]).stdout
        return {line.split(":")[0] for line in listed.splitlines()}

    def check_cmake(self, arguments):
        if arguments[:1] == ["--build"]:
            if "--target" in arguments:
                names = arguments[arguments.index("--target") + 1:]
                missing = [name for name in names if not name.startswith("-") and name not in self.targets()]
                if missing:
                    raise Fault(f"no target {' '.join(missing)}")
            return
        if arguments[:1] == ["--install"]:
            self.check_install(arguments[1:])
            return
        self.check_configure(arguments)

    def check_configure(self, arguments):
        lists = open(os.path.join(SOURCE, "CMakeLists.txt"), encoding="utf-8").read()
        index = 0
        while index < len(arguments):
            argument = arguments[index]
            if argument in ("-S", "-B", "-G"):
                value = arguments[index + 1]
                if argument == "-S" and not os.path.isfile(os.path.join(SOURCE, value, "CMakeLists.txt")):
                    raise Fault(f"-S {value} is not the source")
                if argument == "-G" and (value != "Ninja" or shutil.which("ninja") is None):
                    raise Fault(f"the generator {value} is not what scripts/setup.sh installs")
                index += 2
                continue
            if argument.startswith("-D"):
                name, _, value = argument[2:].partition("=")
                if name == "CMAKE_BUILD_TYPE" and value not in BUILD_TYPES:
                    raise Fault(f"no build type {value}")
                if not name.startswith("CMAKE_") and not re.search(r"option\(" + name + r"\b", lists):
                    raise Fault(f"CMakeLists.txt has no option {name}")
            else:
                raise Fault(f"no check for the cmake argument {argument}")
            index += 1

    def check_install(self, arguments):
        """Installs the build into a scratch prefix with the README's flags: the programs must land
        there stripped."""
        if not arguments:
            return  # the command named in passing
        prefix = os.path.join(self.scratch, "prefix")
        flags = [build_path(arguments[0])]
        rest = arguments[1:]
        while rest:
            if rest[0] == "--prefix":
                rest = rest[2:]
            elif rest[0] == "--strip":
                flags.append("--strip")
                rest = rest[1:]
            else:
                raise Fault(f"no check for the install argument {rest[0]}")
        answer = run(["cmake", "--install"] + flags + ["--prefix", prefix])
        if answer.returncode != 0:
            raise Fault(f"failed: {answer.stderr}")
        for program in OUR_PROGRAMS:
            installed = os.path.join(prefix, "bin", program)
            kind = run(["file", "-b", installed]).stdout
            if not os.path.isfile(installed) or "not stripped" in kind or "ELF" not in kind:
                raise Fault(f"bin/{program} is missing or not stripped: {kind}")
        self.installed = [os.path.join(root, name) for root, _, names in os.walk(prefix) for name in names]

    def check_uninstall(self, command):
        """Runs the README's uninstall line on the manifest of the install checked before it."""
        if self.installed is None:
            raise Fault("uninstalls before the README has installed anything")
        manifest = re.search(r"<\s*(\S+)", command)
        if not manifest or os.path.basename(manifest.group(1)) != "install_manifest.txt":
            raise Fault("does not read install_manifest.txt")
        mapped = command.replace(manifest.group(1), shlex.quote(build_path(manifest.group(1))))
        answer = run(["bash", "-c", mapped])
        left = [path for path in self.installed if os.path.lexists(path)]
        if answer.returncode != 0 or left:
            raise Fault(f"left {left[:3]} installed: {answer.stderr}")

    def check_cpack(self, arguments):
        if "-G" in arguments and arguments[arguments.index("-G") + 1] != "DEB":
            raise Fault("the package is a DEB")
        if not os.path.isfile(os.path.join(BUILD, "CPackConfig.cmake")):
            raise Fault("the build has no CPackConfig.cmake")

    def package_name(self):
        config = open(os.path.join(BUILD, "CPackConfig.cmake"), encoding="utf-8").read()
        return re.search(r'set\(CPACK_PACKAGE_NAME "([^"]+)"\)', config).group(1)

    def check_package_command(self, arguments):
        """apt install of the package file cpack makes, apt remove of its name; neither is run."""
        if not arguments:
            raise Fault("says nothing to do")
        version = re.search(r'kProgramVersionText = u"Version ([0-9.]+)"',
                            open(os.path.join(SOURCE, "res/ProgramTables.h"), encoding="utf-8").read()).group(1)
        architecture = run(["dpkg", "--print-architecture"]).stdout.strip()
        made = f"{self.package_name()}_{version}_{architecture}.deb"
        for argument in arguments[1:]:
            if argument.endswith(".deb"):
                if not re.fullmatch(re.escape(argument.split("/")[-1]).replace(r"\*", ".*"), made):
                    raise Fault(f"cpack makes {made}, not {argument}")
            elif not argument.startswith("-") and argument != self.package_name():
                raise Fault(f"the package is called {self.package_name()}, not {argument}")

    # -- backing up the device --------------------------------------------------------------------
    def device_root(self):
        return os.path.join(self.home, ".local/share/corvina/device")

    def device_snapshot(self):
        root = self.device_root()
        snapshot = {}
        for folder, _, names in os.walk(root):
            for name in names:
                path = os.path.join(folder, name)
                snapshot[os.path.relpath(path, root)] = open(path, "rb").read()
        return snapshot

    def check_backup(self, command):
        """Runs the README's backup and restore lines on a device installed in a scratch home: the
        backup must hold every list and the registry, and the restore must bring them back."""
        env = dict(os.environ, HOME=self.home)
        env.pop("CORVINA_DEVICE_ROOT", None)
        words = words_of(command)
        creating = any(word.startswith("-") and "c" in word for word in words[1:])
        if creating:
            os.makedirs(self.home, exist_ok=True)
            # The program installs the device on its first start, whichever way it is started.
            installed = run([os.path.join(BUILD, OUR_PROGRAMS["corvina"]), "--screenshot",
                             os.path.join(self.scratch, "first-start.png")],
                            env=dict(env, QT_QPA_PLATFORM="offscreen"))
            if installed.returncode != 0:
                raise Fault(f"cannot install a sandbox device: {installed.stderr}")
            self.device_files = self.device_snapshot()
            for needed in (".system/registry.txt", "Program Files/Corvina/Lists/Shopping.crv"):
                if needed not in self.device_files:
                    raise Fault(f"the sandbox device has no {needed}")
        elif self.device_files is None:
            raise Fault("restores before the README has backed anything up")
        else:
            shutil.rmtree(self.device_root())
        answer = run(["bash", "-c", command], cwd=self.scratch, env=env)
        if answer.returncode != 0:
            raise Fault(f"ended with {answer.returncode}: {answer.stderr}")
        if not creating and self.device_snapshot() != self.device_files:
            raise Fault("the restored device differs from the one backed up")


def main():
    readme = open(os.path.join(SOURCE, "README.md"), encoding="utf-8").read()
    commands = commands_of(readme)
    faults = 0
    with tempfile.TemporaryDirectory(prefix="corvina-readme.") as scratch:
        checker = Checker(scratch)
        for command in commands:
            try:
                checker.check(command)
                print(f"ok      {command}")
            except Fault as fault:
                faults += 1
                print(f"FAULT   {command}\n        {fault}")
    print(f"{len(commands) - faults} passed, {faults} failed")
    return 1 if faults or not commands else 0


if __name__ == "__main__":
    sys.exit(main())
