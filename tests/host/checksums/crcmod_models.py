# Prints "name file crc" for every catalogue name and every file given, computed by crcmod's
# predefined models, for checksum_agreement.js to compare with brindle's.
import sys

import crcmod.predefined

models = {
    "crc32/bzip2": "crc-32-bzip2",
    "crc32/iso-hdlc": "crc-32",
    "crc32/mpeg-2": "crc-32-mpeg",
    "crc32/iscsi": "crc-32c",
    "crc16/xmodem": "xmodem",
    "crc16/ibm-3740": "crc-ccitt-false",
    "crc16/modbus": "modbus",
    "crc16/kermit": "kermit",
    "crc8/smbus": "crc-8",
}
for path in sys.argv[1:]:
    with open(path, "rb") as f:
        data = f.read()
    for name, model in models.items():
        print(name, path, crcmod.predefined.mkCrcFun(model)(data))
