# A csv table of customers for the --check benchmarks, made from the zip table: n records
# of 8 columns, each zip of the table in turn with its own place, and every fifth with a
# wrong city.
# Usage: awk -F'\t' -v n=RECORDS -f bench/customers.awk data/us-zip-codes.tsv
NR > 1 { zip[NR] = $1; city[NR] = $2; state[NR] = $3 }
END {
  print "id,first,last,street,city,state,zip,phone"
  for (i = 1; i <= n; i++) {
    k = i % (NR - 1) + 2
    printf "%d,Ada,\"Hale, Jr\",%d Elm St,%s,%s,%s,555-%04d\n", i, i % 997,
      (i % 5 ? city[k] : "Springfield"), state[k], zip[k], i % 10000
  }
}
