# Prints the number of audit errors ezdxf finds in a DXF file, or -1 when
# the file cannot be read at all.
import sys

import ezdxf

try:
    doc = ezdxf.readfile(sys.argv[1])
except Exception as exc:  # any load failure counts as unreadable
    print(-1)
    print(exc, file=sys.stderr)
    sys.exit(0)
auditor = doc.audit()
for e in auditor.errors:
    print(e.code, e.message, file=sys.stderr)
print(len(auditor.errors))
