module korvoskin.example/gohost

go 1.19
