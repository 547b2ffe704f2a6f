"""Reads a DXF file with ezdxf and prints the number of audit errors.

Prints NO_EZDXF and exits 3 when ezdxf is not installed."""
import sys

try:
    import ezdxf
except ImportError:
    print("NO_EZDXF")
    sys.exit(3)

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
for e in auditor.errors:
    print("error:", e.code, e.message)
print("AUDIT_ERRORS", len(auditor.errors))
