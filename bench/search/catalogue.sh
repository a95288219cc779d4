# Sourced by the search benchmarks: the catalogue they share, $discs disc lists (2,000 unless set)
# of 5,000 lines in $data, written once and kept while its marker (written last) is there, then
# read into the cache. Sets `files` to the lists.
marker=$data/.dravik-search-data-2
if [[ ! -f $marker ]]; then
    rm -rf "$data"
    echo "writing the catalogue to $data"
    "$build/bench/search/search_list_generator" "$data" "${discs:-2000}" 5000
    touch "$marker"
fi
files=("$data"/Backup*.rtf)
cat "${files[@]}" >/dev/null # a hot cache
