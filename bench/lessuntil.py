#!/usr/bin/env python3
"""Runs less in a pseudo-terminal and prints the seconds until the text shows.
Usage: lessuntil.py TEXT less-args... FILE"""
import fcntl, os, pty, select, struct, sys, termios, time

def main():
    wanted = sys.argv[1].encode()
    start = time.monotonic()
    pid, fd = pty.fork()
    if pid == 0:
        fcntl.ioctl(0, termios.TIOCSWINSZ, struct.pack("HHHH", 40, 120, 0, 0))
        os.environ["LESSHISTFILE"] = "-"
        os.environ["LESSCHARSET"] = "latin1"  # the ANSI document, and no binary-file question
        os.execvp("less", ["less"] + sys.argv[2:])
    seen = b""
    while True:
        ready, _, _ = select.select([fd], [], [], 600)
        if not ready:
            sys.exit("less did not show the text")
        try:
            chunk = os.read(fd, 65536)
        except OSError:
            break
        seen = (seen + chunk)[-65536:]
        if wanted in seen:
            break
    print(f"{time.monotonic() - start:.3f}")
    os.write(fd, b"q")
    os.waitpid(pid, 0)

main()
