@echo off
rem The self-test of ZentoroMailSearch @VERSION@ on the user's own Windows: the
rem GoogleTest programs of the 64-bit and the 32-bit build (the unit tests, the
rem registry reader's calls, the stand-in VRInfo.dll as a program loads it,
rem the real search dialog and the plug-in's resources) and one search through
rem zms-host, which loads the plug-in and VRInfo.dll as the mail program does.
rem Each half lies in win64\ or win32\: unit\ the unit tests, host\ zms-host.exe
rem with the plug-in and VRInfo.dll beside it and the tests that load them.
rem (release.sh writes this file with CR LF line ends and the version in.)
rem
rem   selftest.cmd              both halves (on 32-bit Windows only the 32-bit
rem                             one), then waits for a key
rem   selftest.cmd win64        the one half (or win32), without waiting
rem
rem It ends with the line "N passed, N failed", counting test cases (a program
rem that does not finish counts as one failed), and writes it to
rem selftest-report.txt too, after this Windows' version and code pages and
rem the names of what failed or was skipped; each program's output is kept in
rem logs\.
rem
rem It changes nothing of the user's and needs no administrator. Every program
rem it runs reads and writes a registry of its own, a key under
rem HKEY_CURRENT_USER\Software\ZentoroMailSearch selftest that goes afterwards
rem (a killed run's goes at the next run); the mail program's and the editor's
rem values are never read or written. It writes only in its own folder (the
rem report, logs\, temp\), or in %TEMP%\ZentoroMailSearch-selftest when its
rem folder is read-only. System programs are run by their full path (a find.exe
rem of other tools in PATH would not count the same), its own ones from their folder.
setlocal EnableExtensions DisableDelayedExpansion
rem Into its own folder (pushd gives a network folder a drive letter), and on
rem only from there.
pushd "%~dp0" 2> nul
if errorlevel 1 goto :nofolder
if not exist "selftest.cmd" goto :notours
set "out=%CD%"
type nul > "selftest-write.tmp" 2> nul
if not exist "selftest-write.tmp" set "out=%TEMP%\ZentoroMailSearch-selftest"
if exist "selftest-write.tmp" del "selftest-write.tmp"
rem The counters below need delayed expansion, which would take a "!" out of
rem a path.
set "probe=%out:!=%"
if not "%probe%"=="%out%" goto :exclamation
if not exist "%out%\logs\" mkdir "%out%\logs"
if not exist "%out%\temp\" mkdir "%out%\temp"
if not exist "%out%\logs\" goto :nowrite
if not exist "%out%\temp\" goto :nowrite
set "TEMP=%out%\temp"
set "TMP=%out%\temp"
set "report=%out%\selftest-report.txt"
set "logs=%out%\logs"
set "system=%SystemRoot%\System32"
set "ZMS_SCRATCH_REGISTRY=Software\ZentoroMailSearch selftest"
%system%\reg.exe delete "HKCU\%ZMS_SCRATCH_REGISTRY%" /f > nul 2>&1
setlocal EnableDelayedExpansion
set passed=0
set failed=0
set "halves=%*"
set wait=0
if not defined halves (
    set "halves=win64 win32"
    set wait=1
)

for /f "delims=" %%v in ('ver') do set "windows=%%v"
set ansi=?
set console=?
set "nls=HKLM\SYSTEM\CurrentControlSet\Control\Nls\CodePage"
for /f "tokens=3" %%c in ('%system%\reg.exe query "%nls%" /v ACP 2^>nul') do set "ansi=%%c"
rem chcp says "...: 932" (or "932." in some languages).
for /f "tokens=2 delims=:." %%c in ('%system%\chcp.com') do set /a console=%%c
rem Whether it runs as administrator, which it does not need (net session
rem only asks).
set admin=no
%system%\net.exe session > nul 2>&1
if not errorlevel 1 set admin=yes
rem A line at a time: what wine's cmd writes from a bracketed block, a later
rem append to the file loses.
> "%report%" echo ZentoroMailSearch @VERSION@ selftest, %date% %time%
>> "%report%" echo Windows: !windows!
>> "%report%" echo processor: %PROCESSOR_ARCHITECTURE% %PROCESSOR_ARCHITEW6432%
>> "%report%" echo code page: ANSI !ansi!, console !console!
>> "%report%" echo administrator: !admin! (not needed)
>> "%report%" echo files: %out%
type "%report%"

for %%h in (%halves%) do call :half %%h
%system%\reg.exe delete "HKCU\%ZMS_SCRATCH_REGISTRY%" /f > nul 2>&1
echo.
echo The report: %report%
echo !passed! passed, !failed! failed
>> "%report%" echo !passed! passed, !failed! failed
if %wait%==1 pause
popd
if !failed! gtr 0 exit /b 1
exit /b 0

:notours
popd
:nofolder
echo selftest.cmd cannot work in its own folder (%~dp0): nothing was run.
echo Copy the self-test's folder to a local disk and run selftest.cmd there.
exit /b 2

:exclamation
popd
echo The self-test's files would go to a folder whose name holds "!" (%out%):
echo nothing was run. Copy the self-test's folder to one without "!".
exit /b 2

:nowrite
popd
echo Neither the self-test's folder nor %TEMP% can be written: nothing was run.
exit /b 2

rem :half win64 or win32
:half
if /i "%~1"=="win64" if /i "%PROCESSOR_ARCHITECTURE%"=="x86" if not defined PROCESSOR_ARCHITEW6432 (
    echo win64: skipped, 32-bit Windows runs no 64-bit programs
    >> "%report%" echo skipped: win64: 32-bit Windows runs no 64-bit programs
    goto :eof
)
if not exist "%~1\unit\" (
    echo %~1: no such half
    >> "%report%" echo failed: %~1: no such half
    set /a failed+=1
    goto :eof
)
echo.
echo === %~1
call :gtest %~1 unit zms_unit_tests
call :gtest %~1 unit zms_registry_calls_tests
call :gtest %~1 host zms_host_tests
call :gtest %~1 host zms_dialog_win32_tests
call :search %~1
goto :eof

rem :gtest half folder program: runs a GoogleTest program in its folder and
rem counts its cases from the summary it ends with.
:gtest
set "name=%~1\%~2\%~3.exe"
set "log=%logs%\%~1-%~3.txt"
rem Without its folder the program counts as not finished; nothing runs
rem anywhere else.
type nul > "%log%"
set code=3
pushd "%~1\%~2" 2> nul
if not errorlevel 1 (
    ".\%~3.exe" --gtest_color=no > "%log%" 2>&1
    set code=!errorlevel!
    popd
)
set p=0
set f=0
set summary=0
set listing=0
rem Only GoogleTest's own lines: the tests print quotes, which would break an "if".
for /f "tokens=1-5" %%a in ('%system%\find.exe "[  PASSED  ]" ^< "%log%"') do (
    set /a p=%%d
    set summary=1
)
for /f "tokens=1-5" %%a in ('%system%\find.exe "[  FAILED  ]" ^< "%log%"') do (
    if !listing!==1 >> "%report%" echo failed: %name%: %%d
    if "%%e"=="test," set /a f=%%d, listing=1
    if "%%e"=="tests," set /a f=%%d, listing=1
)
rem The names of the skipped cases follow GoogleTest's count of them.
set listing=0
for /f "tokens=1-5" %%a in ('%system%\find.exe "[  SKIPPED ]" ^< "%log%"') do (
    if !listing!==1 echo   skipped: %name%: %%d
    if !listing!==1 >> "%report%" echo skipped: %name%: %%d
    if "%%e"=="test," set listing=1
    if "%%e"=="tests," set listing=1
)
rem A program that stops short, or fails with no case failed (a suite's set-up),
rem counts as one failure.
if !summary!==0 (
    set /a f+=1
    >> "%report%" echo failed: %name%: did not finish, exit code !code!
) else if not !code!==0 if !f!==0 (
    set /a f+=1
    >> "%report%" echo failed: %name%: exit code !code!
)
echo   %name%: !p! passed, !f! failed
set /a passed+=p
set /a failed+=f
goto :eof

rem :search half: zms-host answers the search dialog with a query and OK; the
rem plug-in hands VRInfo.dll the find pack.
:search
set "name=%~1\host\zms-host.exe"
set "log=%logs%\%~1-zms-host.txt"
type nul > "%log%"
set code=3
pushd "%~1\host" 2> nul
if not errorlevel 1 (
    .\zms-host.exe --macro "" --type "subject:meeting from:sales" --scope 1003 --ok > "%log%" 2>&1
    set code=!errorlevel!
    popd
)
set searched=0
set "tail=target=from),subfolder=0,hilight=1"
%system%\find.exe "SetFindPack(" < "%log%" | %system%\find.exe "target=subject)and(" | %system%\find.exe "%tail%" > nul
if not errorlevel 1 set searched=1
%system%\find.exe "search 1 returned 0" < "%log%" > nul
if errorlevel 1 set searched=0
if not !code!==0 set searched=0
if !searched!==1 (
    echo   %name%: a search through the plug-in: passed
    set /a passed+=1
) else (
    echo   %name%: a search through the plug-in: FAILED, exit code !code!
    >> "%report%" echo failed: %name%: a search through the plug-in, exit code !code!
    set /a failed+=1
)
goto :eof
