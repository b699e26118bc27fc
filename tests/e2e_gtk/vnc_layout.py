#!/usr/bin/env python3
"""Lays out an Xvnc server's screen as a viewer would: as several monitors.

Xvnc makes one RandR output per screen a viewer asks for, which is how a
test gets a real second monitor without a graphics card. Connects to the
server's Unix socket (security type None), asks for the layout and waits for
the server's answer.

usage: vnc_layout.py SOCKET X,Y,W,H [X,Y,W,H ...]
"""
import socket
import struct
import sys

SET_ENCODINGS = 2
FRAMEBUFFER_UPDATE_REQUEST = 3
RAW = 0
SET_DESKTOP_SIZE = 251
EXTENDED_DESKTOP_SIZE = -308  # the pseudo-encoding that allows layouts


def main():
    screens = [tuple(int(v) for v in arg.split(",")) for arg in sys.argv[2:]]
    if not screens:
        sys.exit(__doc__)
    with socket.socket(socket.AF_UNIX) as sock:
        sock.settimeout(10)
        sock.connect(sys.argv[1])

        def read(n):
            data = b""
            while len(data) < n:
                part = sock.recv(n - len(data))
                if not part:
                    sys.exit("vnc_layout: the server closed the connection")
                data += part
            return data

        read(12)
        sock.sendall(b"RFB 003.008\n")
        types = read(read(1)[0])
        if 1 not in types:
            sys.exit("vnc_layout: the server wants a password")
        sock.sendall(b"\x01")
        if struct.unpack(">I", read(4))[0] != 0:
            sys.exit("vnc_layout: the server refused the connection")
        sock.sendall(b"\x01")  # shared
        read(4)  # the screen's size
        pixel_bytes = read(16)[0] // 8
        read(struct.unpack(">I", read(4))[0])  # the desktop's name
        sock.sendall(struct.pack(">BBHii", SET_ENCODINGS, 0, 2, RAW, EXTENDED_DESKTOP_SIZE))
        width = max(x + w for x, y, w, h in screens)
        height = max(y + h for x, y, w, h in screens)
        request = struct.pack(">BBHHBB", SET_DESKTOP_SIZE, 0, width, height, len(screens), 0)
        for number, (x, y, w, h) in enumerate(screens, 1):
            request += struct.pack(">IHHHHI", number, x, y, w, h, 0)
        sock.sendall(request)
        # The answer comes with the next framebuffer update, as a rectangle
        # of the pseudo-encoding whose x says why (1: this client asked) and
        # y how it went (0: done); a pixel of the picture may come along.
        sock.sendall(struct.pack(">BBHHHH", FRAMEBUFFER_UPDATE_REQUEST, 1, 0, 0, 1, 1))
        while True:
            kind = read(1)[0]
            if kind != 0:
                sys.exit(f"vnc_layout: unexpected message {kind}")
            read(1)
            for _ in range(struct.unpack(">H", read(2))[0]):
                x, status, w, h, encoding = struct.unpack(">HHHHi", read(12))
                if encoding == RAW:
                    read(w * h * pixel_bytes)
                    continue
                if encoding != EXTENDED_DESKTOP_SIZE:
                    sys.exit(f"vnc_layout: unexpected encoding {encoding}")
                count = read(4)[0]
                read(16 * count)
                if x == 1:  # the answer to this client's request
                    if status != 0:
                        sys.exit(f"vnc_layout: the server refused the layout ({status})")
                    return
            sock.sendall(struct.pack(">BBHHHH", FRAMEBUFFER_UPDATE_REQUEST, 1, 0, 0, 1, 1))


if __name__ == "__main__":
    main()
