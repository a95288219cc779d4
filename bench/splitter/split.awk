# The reference: append each file line of a catalogue list to a file named after its extension,
# as the splitter classes the simple cases, skipping the summary lines.
# Usage: awk -v out=FOLDER -f split.awk LISTS...
BEGIN { FS = "\",\"" }
/^"/ {
    name = $2
    sub(/"\r$/, "", name)
    n = split(name, part, ".")
    ext = n > 1 ? toupper(part[n]) : "OTHER"
    if (ext == "") ext = "NONE"
    print >> (out "/" ext ".rtf")
}
