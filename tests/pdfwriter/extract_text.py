"""Prints the text pypdf extracts from every page of a PDF file.

Usage: extract_text.py PDF_FILE [PASSWORD]
Exits 1 when the file is encrypted and the password does not open it.
"""
import sys

from pypdf import PdfReader

reader = PdfReader(sys.argv[1])
if reader.is_encrypted and not reader.decrypt(sys.argv[2] if len(sys.argv) > 2 else ""):
    sys.exit(1)
for page in reader.pages:
    sys.stdout.write(page.extract_text() + "\n")
