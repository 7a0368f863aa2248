#!/usr/bin/env python3
"""Fault list for src/run and src/run/core (and Go to Line), and a runner that plants one fault at a
time, rebuilds the run suites, runs them and puts the source back.

  faults.py list                 the faults
  faults.py run [ID...] [-o F]   plant, build, test, revert; one line per fault
"""
import os, subprocess, sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), '..', '..', '..'))
SUITES = ['tst_run', 'tst_runpane', 'tst_runcore']

# id, what goes wrong, [(file, text, replacement)]
FAULTS = [
 ('F01', 'the info-level option missing from the command line', [('src/run/core/RunCommand.cpp',
   '    args << QStringLiteral("-i");\n    if (const QString letter', '    if (false)\n    if (const QString letter')]),
 ('F02', 'the temporary program written over the document\'s own file', [('src/run/core/ProgramRunner.cpp',
   'if (!documentFile.isEmpty() && QFileInfo(tempFile)', 'if (false && QFileInfo(tempFile)')]),
 ('F03', 'a geometry Cancel keeps the old geometry', [('src/run/RunController.cpp',
   'm_geoString = m_svc.prompter->input(r).value_or(QString());', 'm_geoString = m_svc.prompter->input(r).value_or(m_geoString);')]),
 ('F04', 'Stop ends only the interpreter, not its process group', [('src/run/core/ProgramProcess.cpp',
   '    m_stopped = true;\n    ProcessGroup::endGroup(m_pid);', '    m_stopped = true;\n    m_process->kill();'),
   ('src/run/core/ProgramProcess.cpp', '    m_running = false;\n    // Whatever the program left running in its group goes with it.\n    ProcessGroup::endGroup(m_pid);',
    '    m_running = false;')]),
 ('F05', 'the exit line misses the status', [('src/run/RunController.cpp',
   'QStringLiteral("Exit status %1, run time %2 s").arg(exitCode).arg(time)', 'QStringLiteral("Exited, run time %1 s").arg(time)')]),
 ('F06', 'an error\'s line off by one', [('src/run/RunController.cpp',
   '        emit errorPlace(e.line - 1, std::max(0, e.column));\n        emit errorLineMarked',
   '        emit errorPlace(e.line, std::max(0, e.column));\n        emit errorLineMarked')]),
 ('F07', 'an error\'s column off by one', [('src/run/core/InterpreterErrors.cpp',
   'bytes.left(caret - 3)', 'bytes.left(caret - 2)')]),
 ('F08', 'the temporary file name shown instead of the program\'s', [('src/run/core/InterpreterErrors.cpp',
   'return *inProgram ? m_shown : reported;', 'return reported;')]),
 ('F09', 'F4 steps past the last report', [('src/run/RunController.cpp',
   'showError(std::min(m_errorCursor + 1, int(m_errors.size()) - 1));', 'showError(m_errorCursor + 1);')]),
 ('F10', 'the screen-mode detector misses inkey$', [('src/run/core/ScreenMode.cpp',
   '|\\\\binkey\\\\$', '')]),
 ('F11', 'the syntax mark not cleared on clean text', [('src/run/RunController.cpp',
   '        emit syntaxMark(-1, 0, QString());\n        if (!clean)\n', '        if (!clean)\n')]),
 ('F12', 'the stand-alone program not made executable', [('src/run/RunController.cpp',
   'QFile::setPermissions(target, QFile::permissions(target)', 'QFile::permissions(target); (void)(QFile::permissions(target)')]),
 ('F13', 'the per-run folder not removed when the run ends', [('src/run/RunController.cpp',
   '    m_active = ProgramRunner::Plan(); // the temporary program goes with its folder\n', '')]),
 ('F14', 'output decoded as UTF-8 when it is not', [('src/run/core/OutputDecoder.cpp',
   '    if (utf8.hasError())\n        return QString::fromLatin1(bytes);\n', '')]),
 ('F15', 'a warning is jumped to before an error', [('src/run/core/InterpreterErrors.cpp',
   '        if (m_errors[i].inProgram && !m_errors[i].warning)\n            return i;', '        if (m_errors[i].inProgram)\n            return i;')]),
 ('F16', 'an error in a library moves the caret in the program', [('src/run/RunController.cpp',
   '    if (e.inProgram) {\n        emit errorPlace', '    if (true) {\n        emit errorPlace')]),
 ('F17', 'Run while running starts again without asking', [('src/run/RunController.cpp',
   '    if (m_process->isRunning()) {\n        if (m_svc.prompter->ask(QStringLiteral("Run Program")',
   '    if (false) {\n        if (m_svc.prompter->ask(QStringLiteral("Run Program")')]),
 ('F18', 'closing while a program runs does not ask', [('src/run/RunController.cpp',
   '    if (!m_process->isRunning())\n        return true;\n    if (m_svc.prompter->ask(QStringLiteral("Exit")',
   '    return true;\n    if (m_svc.prompter->ask(QStringLiteral("Exit")')]),
 ('F19', 'the TempPath setting ignored', [('src/run/core/ProgramRunner.cpp',
   'const QString tempFile = tempSetting.isEmpty() ?', 'const QString tempFile = true ?')]),
 ('F20', 'an interpreter that may not be run is not refused', [('src/run/core/ProgramRunner.cpp',
   'if (!interpreter.isFile() || !interpreter.isExecutable())', 'if (!interpreter.isFile())')]),
 ('F21', 'the run does not start in the program\'s folder', [('src/run/core/ProgramRunner.cpp',
   'plan->workingFolder = workingFolder.isEmpty() ? m_programFolder : workingFolder;', 'plan->workingFolder = m_programFolder;')]),
 ('F22', 'an input line sent without its line break', [('src/run/core/ProgramProcess.cpp',
   "m_process->write(line.toUtf8() + '\\n');", 'm_process->write(line.toUtf8());')]),
 ('F23', 'the Stop button disabled while running', [('src/run/OutputPane.cpp',
   'm_stop->setEnabled(running);', 'm_stop->setEnabled(!running);')]),
 ('F24', 'an error link points at the next report', [('src/run/OutputPane.cpp',
   'QStringLiteral("error:%1").arg(p.error)', 'QStringLiteral("error:%1").arg(p.error + 1)')]),
 ('F25', 'a dump line keeps the temporary file name', [('src/run/core/InterpreterErrors.cpp',
   '        shown.replace(m_temp, m_shown);\n', '')]),
 ('F26', 'the Yabasic Path dialog forgets the temporary file', [('src/run/YabasicPathDialog.cpp',
   '    m_settings.saveSetting(AppSettings::Run, AppSettings::TempPath, m_tempFileEdit->text());\n', '')]),
 ('F27', 'the geometry option left out of the command line', [('src/run/core/RunCommand.cpp',
   '        args << QStringLiteral("-geometry") << geoString;\n    args << QStringLiteral("-i");',
   '        {}\n    args << QStringLiteral("-i");')]),
 ('F28', 'the debug view not read after a terminal start', [('src/run/RunController.cpp',
   '    m_terminalPoll->start();\n    refreshDebugArea();', '    m_terminalPoll->start();')]),
 ('F29', 'a caret under a multi-byte character counted in bytes', [('src/run/core/InterpreterErrors.cpp',
   'm_errors.last().column = int(QString::fromUtf8(bytes.left(caret - 3)).size());', 'm_errors.last().column = int(caret - 3);')]),
 ('F30', 'errors of a run in a terminal not collected', [('src/run/RunController.cpp',
   'if (!found.isEmpty() && found.size() != m_errors.size())', 'if (false)')]),
 ('F31', 'Go to Line accepts line 0', [('src/editor/GoToLine.cpp', 'line < 1 || line > lines', 'line < 0 || line > lines')]),
 ('F32', 'the debug view shows nothing when the log is cut short', [('src/run/core/DebugLog.cpp',
   'QByteArray tail = f.read(maxBytes);', 'QByteArray tail;')]),
]

def sh(cmd, **kw):
    return subprocess.run(cmd, cwd=ROOT, shell=True, capture_output=True, text=True, **kw)

def plant(edits):
    saved = {}
    for f, old, new in edits:
        p = os.path.join(ROOT, f)
        src = saved.get(p) or open(p).read()
        saved.setdefault(p, src)
        cur = open(p).read()
        if cur.count(old) != 1:
            raise SystemExit(f'{f}: text found {cur.count(old)} times: {old!r}')
        open(p, 'w').write(cur.replace(old, new))
    return saved

def main():
    args = sys.argv[1:]
    if not args or args[0] == 'list':
        for i, d, _ in FAULTS: print(i, d)
        return
    out = None
    if '-o' in args:
        k = args.index('-o'); out = args[k + 1]; del args[k:k + 2]
    ids = args[1:] or [f[0] for f in FAULTS]
    suites = os.environ.get('SUITES', ' '.join(SUITES)).split()
    for fid, desc, edits in FAULTS:
        if fid not in ids: continue
        saved = plant(edits)
        try:
            b = sh('ninja -C build -j2 ' + ' '.join(suites))
            if b.returncode != 0:
                res = 'BUILD-FAILED ' + b.stdout[-300:].replace('\n', ' ')
            else:
                caught = []
                for s in suites:
                    r = sh(f'QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -R "^{s}$" --timeout 300')
                    if r.returncode != 0:
                        fails = [l.split('::')[-1].split('(')[0] for l in r.stdout.splitlines() if l.startswith('FAIL!')]
                        caught.append(f'{s}[{",".join(sorted(set(fails)))}]')
                res = ('CAUGHT ' + ' '.join(caught)) if caught else 'ESCAPED'
        finally:
            for p, src in saved.items(): open(p, 'w').write(src)
        line = f'{fid} {res} -- {desc}'
        print(line, flush=True)
        if out:
            with open(out, 'a') as fh: fh.write(line + '\n')
    sh('ninja -C build -j2 ' + ' '.join(suites))

if __name__ == '__main__':
    main()
